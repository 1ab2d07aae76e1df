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

// One command's writes, recorded as the image will record them.
void run(UndoHistory& journal, BufferWriter& image, const QString& command,
         std::initializer_list<std::pair<qint64, QByteArray>> writes)
{
    UndoScope step(journal, command);
    for (const auto& [offset, after] : writes) {
        journal.record(offset, image.bytes.mid(offset, after.size()), after);
        image.bytes.replace(offset, after.size(), after);
    }
}

TEST(UndoHistoryTest, UndoAndRedoRestoreExactBytesAndAFailedReplayLeavesTheFileWhereTheHistorySays)
{
    UndoHistory journal;
    BufferWriter image;
    const QByteArray opened = image.bytes;
    run(journal, image, QStringLiteral("Save of Grumblox"), {{10, "AAAA"}, {12, "BB"}, {30, "C"}});
    const QByteArray saved = image.bytes;
    run(journal, image, QStringLiteral("Fix checksum"), {{0, "DD"}});
    const QByteArray fixed = image.bytes;

    EXPECT_EQ(journal.undo(image).step.command, "Fix checksum");
    EXPECT_EQ(image.bytes, saved);
    const ReplayOutcome undone = journal.undo(image);  // overlapping writes come back newest first
    EXPECT_EQ(image.bytes, opened);
    EXPECT_TRUE(undone.step.touches(13, 1) && undone.step.touches(25, 6) && !undone.step.touches(14, 16));
    EXPECT_FALSE(journal.canUndo() || journal.undo(image).result.ok());
    EXPECT_EQ(journal.redoText(), "Save of Grumblox");
    journal.redo(image);
    journal.redo(image);
    EXPECT_EQ(image.bytes, fixed);

    journal.undo(image);
    image.failFrom = image.writes + 1;  // the second of three writes fails, once
    image.failTo = image.failFrom + 1;
    EXPECT_EQ(journal.undo(image).result.error, "Disk full");
    EXPECT_EQ(image.bytes, saved);
    EXPECT_EQ(journal.undoText() + journal.redoText(), "Save of GrumbloxFix checksum");

    // An empty step changes nothing; a new one ends the way forward, inner steps joining it.
    run(journal, image, QStringLiteral("Nothing"), {});
    EXPECT_EQ(journal.redoText(), "Fix checksum");
    {
        UndoScope outer(journal, QStringLiteral("Save ROM"));
        run(journal, image, QStringLiteral("Stamp"), {{20, "S"}, {22, "T"}});
    }
    EXPECT_FALSE(journal.canRedo());
    EXPECT_EQ(journal.undoText(), "Save ROM");

    // Not even the way back could be written: no step fits the file any more.
    image.failFrom = image.writes + 1;
    image.failTo = INT_MAX;
    EXPECT_TRUE(journal.undo(image).historyDropped);
    EXPECT_FALSE(journal.canUndo() || journal.canRedo());
}

} // namespace
