// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageBackup.h"
#include "core/image/ImageWriteSession.h"
#include "core/image/RollbackJournal.h"
#include "fixtures/RomFixture.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;
using State = rollback::Recovery::State;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) { return RomFixture(0).bytesAt(0, bytes).writeTo(path); }

class RollbackJournalTest : public ::testing::Test {
protected:
    // A step of three writes, the third over part of the first, as a name is
    // written: blanks first, then the text.
    const QByteArray before = RomFixture(0x400).fillRandom(9).bytes();
    const std::vector<ByteChange> step = {{0x100, before.mid(0x100, 8), "AAAAAAAA"},
                                          {0x300, before.mid(0x300, 2), "BB"},
                                          {0x104, "AAAA", "CCCC"}};
    QByteArray after() const
    {
        return RomFixture(0x400).fillRandom(9).bytesAt(0x100, "AAAACCCC").bytesAt(0x300, "BB").bytes();
    }

    State reopen(QByteArray* bytes = nullptr)
    {
        RomImage rom;
        EXPECT_TRUE(rom.open(path).ok());
        const State state = rollback::recover(rom).state;
        rom.close();
        if (bytes)
            *bytes = readFile(path);
        return state;
    }

    QTemporaryDir dir;
    QString path = dir.filePath("game.smc");
    QString journal = path + "-journal";
};

TEST_F(RollbackJournalTest, AJournalCutShortIsToldFromOneDamagedAfterItWasWritten)
{
    using Form = rollback::Parsed::Form;
    const QByteArray bytes = rollback::encode("game.smc", before.size(), step);
    ASSERT_EQ(rollback::decode(bytes).form, Form::Whole);
    for (qsizetype n = 0; n < bytes.size(); ++n) {
        EXPECT_EQ(rollback::decode(bytes.left(n)).form, Form::Torn) << "cut at " << n;
        QByteArray flipped = bytes;
        flipped[n] = static_cast<char>(flipped[n] ^ 0x10);
        EXPECT_EQ(rollback::decode(flipped).form, Form::Damaged) << "flipped at " << n;
    }
}

TEST_F(RollbackJournalTest, OpeningTakesBackAStepCutOffPartWayAndOnlyThat)
{
    // Every write landed in part: old and new bytes mixed, the overlap at its newest.
    QByteArray half = before;
    half.replace(0x100, 6, "AAAACC");
    half[0x301] = 'B';
    for (const QByteArray& image : {half, after(), before}) {
        ASSERT_TRUE(writeBytes(path, image));
        ASSERT_TRUE(rollback::write(path, image.size(), step).ok());
        QByteArray now;
        EXPECT_EQ(reopen(&now), State::TakenBack);
        EXPECT_EQ(now, before);
        EXPECT_FALSE(QFile::exists(journal));
    }

    // Another program wrote over one of the step's bytes, or changed the size:
    // image and journal are left alone.
    QByteArray changed = half;
    changed[0x302 - 1] = 'X';
    for (const QByteArray& image : {changed, after() + "more"}) {
        ASSERT_TRUE(writeBytes(path, image));
        ASSERT_TRUE(rollback::write(path, after().size(), step).ok());
        const QByteArray journalBytes = readFile(journal);
        QByteArray now;
        EXPECT_EQ(reopen(&now), State::Changed);
        EXPECT_EQ(now, image);
        EXPECT_EQ(readFile(journal), journalBytes);
        QFile::remove(journal);
    }

    // A journal the last release wrote is still taken back.
    ASSERT_TRUE(writeBytes(path, before.left(0x100) + "AB" + before.mid(0x102)));
    ASSERT_TRUE(writeBytes(journal,
                           QByteArray("ZVKROLL\x01\x00\x04\0\0\0\0\0\0\x08\0\0\0game.smc\x01\0\0\0\0\x01\0\0"
                                      "\0\0\0\0\x02\0\0\0\x11\x22\x41\x42\x94\x3c\x62\x03",
                                      52)));
    QByteArray now;
    EXPECT_EQ(reopen(&now), State::TakenBack);
    EXPECT_EQ(now.mid(0x100, 2), "\x11\x22");
}

TEST_F(RollbackJournalTest, NothingIsWrittenThroughALinkAtTheJournalsNameNorMadeByRemovingIt)
{
    const QString victim = dir.filePath("victim");
    ASSERT_TRUE(writeBytes(path, before) && writeBytes(victim, "keep"));
    EXPECT_TRUE(rollback::remove(path).ok());
    EXPECT_FALSE(QFile::exists(journal));
    for (const QString& target : {victim, dir.filePath("nowhere")}) {
        ASSERT_TRUE(QFile::link(target, journal));
        EXPECT_FALSE(rollback::write(path, before.size(), step).ok());
        EXPECT_TRUE(rollback::remove(path).ok());
        EXPECT_FALSE(QFileInfo::exists(journal) || QFileInfo(journal).isSymLink());
    }
    // Links at the backup names are names taken: the copy gets the next one.
    const QDateTime when(QDate(2024, 1, 2), QTime(3, 4, 5));
    ASSERT_TRUE(QFile::link(victim, dir.filePath(backup::copyName("game.smc", when))));
    ASSERT_TRUE(QFile::link(dir.filePath("nowhere"), dir.filePath(backup::copyName("game.smc", when, 2))));
    QString made;
    ASSERT_TRUE(backup::make(path, when, &made).ok());
    EXPECT_EQ(made, dir.filePath(backup::copyName("game.smc", when, 3)));
    EXPECT_EQ(readFile(victim), "keep");
    EXPECT_FALSE(QFile::exists(dir.filePath("nowhere")));
}

TEST_F(RollbackJournalTest, AStepLeavesNoJournalAndAJournalInTheWayStopsTheNextOne)
{
    ASSERT_TRUE(writeBytes(path, before));
    RomImage rom;
    ASSERT_TRUE(rom.open(path).ok());
    ImageWriteSession session(rom, [] { return QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)); });
    session.setOptions({false, false});
    // Reads inside the step see its writes before they reach the file.
    const CommandOutcome saved = session.run("Save", CommandKind::Save, [&] {
        rom.writeBytes(0x100, "AAAAAAAA");
        return rom.writeBytes(0x300, rom.readBytes(0x100, 2).replace('A', 'B'));
    });
    ASSERT_TRUE(saved.ok()) << saved.result.error.toStdString();
    EXPECT_EQ(readFile(path).mid(0x300, 2), "BB");
    EXPECT_FALSE(QFile::exists(journal));

    ASSERT_TRUE(writeBytes(journal, "a stranger's journal"));
    const QByteArray image = readFile(path);
    const CommandOutcome refused = session.run("Refused", CommandKind::Save, [&] { return rom.writeByte(0x10, 1); });
    EXPECT_TRUE(refused.result.error.contains(journal)) << refused.result.error.toStdString();
    EXPECT_EQ(readFile(path), image);
    // Neither the refused step nor the refused undo changes the history.
    EXPECT_FALSE(session.undo().result.ok());
    EXPECT_EQ(readFile(journal), "a stranger's journal");
    EXPECT_EQ(session.undoText() + session.redoText(), "Save");
    ASSERT_TRUE(QFile::remove(journal) && session.undo().result.ok());
    EXPECT_EQ(readFile(path), before);
}

} // namespace
