// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageWriteSession.h"
#include "core/image/UndoHistory.h"
#include "support/MemoryImage.h"

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
    EXPECT_TRUE(history.redoText() == "Save of Grumblox" && history.redo(image).result.ok()
                && history.redo(image).result.ok());
    EXPECT_EQ(image.bytes, fixed);
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

// The session holds a step's writes until all are made, then writes them,
// and writes them back when one fails: undo and redo go the same way.
TEST(UndoThroughASessionTest, AFailedUndoIsTakenBackAndOneThatCannotBeDropsTheHistory)
{
    const QByteArray opened(64, 'o');
    RomImage rom;
    test::MemoryDevice* device = test::attachMemory(rom, opened);
    ImageWriteSession session(rom, [] { return QDateTime(); });
    ASSERT_TRUE(session
                    .run(QStringLiteral("Save of Grumblox"), CommandKind::Other,
                         [&] {
                             for (const auto& [offset, bytes] : {std::pair{10, "AAAA"}, {12, "BB"}, {30, "C"}})
                                 if (IoResult r = rom.writeBytes(offset, bytes); !r.ok())
                                     return r;
                             return IoResult::success();
                         })
                    .ok());
    const QByteArray saved = device->data();

    device->failAfter(1, true); // the second of three writes fails, once
    const ReplayOutcome failed = session.undo();
    EXPECT_EQ(failed.result.error, "Disk full");
    EXPECT_EQ(device->data(), saved);
    EXPECT_TRUE(!failed.historyDropped && session.undoText() == "Save of Grumblox" && !session.canRedo());

    device->failAfter(1, false); // now not even the way back can be written: no step fits the file
    EXPECT_TRUE(session.undo().historyDropped);
    EXPECT_FALSE(session.canUndo() || session.canRedo());
    device->failAfter(-1, false);
    EXPECT_TRUE(session.redo().result.error == "There is nothing to redo." && device->data() != opened);
}

} // namespace
