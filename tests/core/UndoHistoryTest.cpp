// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/UndoHistory.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zorvek;

namespace {

// An image in memory whose writes numbered failFrom to failTo (exclusive) fail.
struct BufferWriter final : ByteWriter {
    QByteArray bytes = QByteArray("0123456789abcdefghijklmnopqrstuvwxyz");
    int writes = 0, failFrom = INT_MAX, failTo = INT_MAX;
    IoResult write(qint64 offset, const QByteArray& b) override
    {
        const int n = writes++;
        if (n >= failFrom && n < failTo)
            return IoResult::failure(QStringLiteral("Disk full"));
        bytes.replace(offset, b.size(), b);
        return IoResult::success();
    }
};

// Two commands made: a save with overlapping writes, then a checksum fix.
class UndoHistoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        run(QStringLiteral("Save of Grumblox"), {{10, "AAAA"}, {12, "BB"}, {30, "C"}});
        saved = image.bytes;
        run(QStringLiteral("Fix checksum"), {{0, "DD"}});
    }
    // One command's writes, recorded as the image will record them.
    void run(const QString& command, std::initializer_list<std::pair<qint64, QByteArray>> writes)
    {
        UndoScope step(history, command);
        for (const auto& [offset, after] : writes) {
            history.record(offset, image.bytes.mid(offset, after.size()), after);
            image.bytes.replace(offset, after.size(), after);
        }
    }
    UndoHistory history;
    BufferWriter image;
    const QByteArray opened = image.bytes;
    QByteArray saved;
};

TEST_F(UndoHistoryTest, UndoAndRedoRestoreExactBytesNewestWriteFirst)
{
    const QByteArray fixed = image.bytes;
    EXPECT_EQ(history.undo(image).step.command, "Fix checksum");
    EXPECT_EQ(image.bytes, saved);
    const ReplayOutcome undone = history.undo(image);
    EXPECT_EQ(image.bytes, opened);
    EXPECT_TRUE(undone.step.touches(13, 1) && undone.step.touches(25, 6) && !undone.step.touches(14, 16));
    EXPECT_FALSE(history.canUndo() || history.undo(image).result.ok());
    EXPECT_TRUE(history.redoText() == "Save of Grumblox" && history.redo(image).result.ok() && history.redo(image).result.ok());
    EXPECT_EQ(image.bytes, fixed);
}

TEST_F(UndoHistoryTest, AFailedUndoLeavesTheFileAndTheStepsWhereTheHistorySays)
{
    history.undo(image);
    image.failFrom = image.writes + 1;  // the second of three writes fails, once
    image.failTo = image.failFrom + 1;
    EXPECT_EQ(history.undo(image).result.error, "Disk full");
    EXPECT_EQ(image.bytes, saved);
    EXPECT_EQ(history.undoText() + history.redoText(), "Save of GrumbloxFix checksum");
    image.failFrom = image.writes + 1;  // now not even the way back can be written: no step fits the file
    image.failTo = INT_MAX;
    EXPECT_TRUE(history.undo(image).historyDropped);
    EXPECT_FALSE(history.canUndo() || history.canRedo());
}

TEST_F(UndoHistoryTest, AnEmptyStepChangesNothingAndANewOneEndsTheWayForwardWithInnerStepsJoiningIt)
{
    history.undo(image);
    run(QStringLiteral("Nothing"), {});
    EXPECT_EQ(history.redoText(), "Fix checksum");
    {
        UndoScope outer(history, QStringLiteral("Save ROM"));
        run(QStringLiteral("Stamp"), {{20, "S"}, {22, "T"}});
    }
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(history.undoText(), "Save ROM");
}

} // namespace
