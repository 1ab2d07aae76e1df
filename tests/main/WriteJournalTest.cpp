#include "main/WriteJournal.h"

#include <gtest/gtest.h>

#include <climits>

using namespace zorvek;

namespace {

// An image in memory whose writes numbered failFrom to failTo (exclusive) fail.
struct BufferWriter final : ByteWriter {
    QByteArray bytes = QByteArray("0123456789abcdefghijklmnopqrstuvwxyz");
    int writes = 0;
    int failFrom = INT_MAX;
    int failTo = INT_MAX;
    IoResult write(qint64 offset, const QByteArray& b) override
    {
        const bool fails = writes >= failFrom && writes < failTo;
        ++writes;
        if (fails)
            return IoResult::failure(QStringLiteral("Disk full"));
        bytes.replace(offset, b.size(), b);
        return IoResult::success();
    }
};

// One command's writes, recorded as RomImage will record them.
void run(WriteJournal& journal, BufferWriter& image, const QString& command,
         std::initializer_list<std::pair<qint64, QByteArray>> writes)
{
    JournalScope step(journal, command);
    for (const auto& [offset, after] : writes) {
        const QByteArray before = image.bytes.mid(offset, after.size());
        image.bytes.replace(offset, after.size(), after);
        journal.record(offset, before, after);
    }
}

class WriteJournalTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        run(journal, image, QStringLiteral("Save of Grumblox"), {{10, "AAAA"}, {12, "BB"}, {30, "C"}});
        saved = image.bytes;
        run(journal, image, QStringLiteral("Fix checksum"), {{0, "DD"}});
        fixedToo = image.bytes;
    }
    WriteJournal journal;
    BufferWriter image;
    const QByteArray opened = image.bytes;
    QByteArray saved, fixedToo;
};

TEST_F(WriteJournalTest, UndoAndRedoRestoreTheExactBytesStepByStep)
{
    EXPECT_EQ(journal.undoText(), "Fix checksum");
    EXPECT_EQ(journal.undo(image).step.command, "Fix checksum");
    EXPECT_EQ(image.bytes, saved);
    // Overlapping writes of one step come back newest first.
    const ReplayOutcome undone = journal.undo(image);
    EXPECT_TRUE(undone.result.ok());
    EXPECT_EQ(image.bytes, opened);
    EXPECT_TRUE(undone.step.touches(13, 1) && undone.step.touches(25, 6));
    EXPECT_FALSE(undone.step.touches(14, 16));
    EXPECT_FALSE(journal.canUndo());
    EXPECT_FALSE(journal.undo(image).result.ok());

    EXPECT_EQ(journal.redoText(), "Save of Grumblox");
    journal.redo(image);
    journal.redo(image);
    EXPECT_EQ(image.bytes, fixedToo);

    // An empty step leaves the way back as it was; a new step ends the way forward.
    journal.undo(image);
    run(journal, image, QStringLiteral("Nothing"), {});
    EXPECT_EQ(journal.redoText(), "Fix checksum");
    {
        JournalScope outer(journal, QStringLiteral("Save ROM"));
        run(journal, image, QStringLiteral("Stamp"), {{20, "S"}});
    }
    EXPECT_FALSE(journal.canRedo());
    EXPECT_EQ(journal.undoText(), "Save ROM");
}

TEST_F(WriteJournalTest, AFailedReplayLeavesTheFileWhereTheJournalSaysItIs)
{
    journal.undo(image);
    image.failFrom = image.writes + 1;  // the second of three writes fails, once
    image.failTo = image.failFrom + 1;
    const ReplayOutcome failed = journal.undo(image);
    EXPECT_EQ(failed.result.error, "Disk full");
    EXPECT_EQ(image.bytes, saved);
    EXPECT_EQ(journal.undoText(), "Save of Grumblox");
    EXPECT_EQ(journal.redoText(), "Fix checksum");

    image.failFrom = INT_MAX;
    EXPECT_TRUE(journal.undo(image).result.ok());
    EXPECT_EQ(image.bytes, opened);

    // Not even the way back could be written: no step fits the file any more.
    image.failFrom = image.writes + 1;
    image.failTo = INT_MAX;
    const ReplayOutcome lost = journal.redo(image);
    EXPECT_TRUE(lost.journalDropped);
    EXPECT_FALSE(journal.canUndo() || journal.canRedo());
}

} // namespace
