// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageBackup.h"
#include "core/image/ImageWriteSession.h"
#include "fixtures/RomFixture.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

#include <unistd.h>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

class ImageBackupTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(RomFixture(0x4000).fillRandom(1).writeTo(path)); }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }
    QString made(const QDateTime& when)
    {
        QString copy;
        EXPECT_TRUE(backup::make(path, when, &copy).ok());
        return QDir(dir.path()).relativeFilePath(copy);
    }

    QTemporaryDir dir;
    QString path = dir.filePath("hack.smc");
    const QDateTime t0{QDate(2024, 3, 5), QTime(14, 7, 9)};
};

TEST_F(ImageBackupTest, CopiesOfOneSecondAreNumberedAndPruningKeepsTheNewestMadeNotTheHighestName)
{
    // Strangers: other images' copies and near misses; and a file of the
    // first copy's name, which is not replaced.
    const QStringList strangers = {"hack.smc", "hack.smc.bak", "hack.smc.20200101-000000.bak.old",
                                   "other.smc.20200101-000000.bak", "xhack.smc.20200101-000000.bak"};
    for (const QString& stranger : strangers.mid(1))
        ASSERT_TRUE(RomFixture(1).writeTo(dir.filePath(stranger)));
    // Named like copies but nobody's whole copy: part of one, another
    // user's, a link; none is deleted.
    QStringList foreign = {"hack.smc.20000101-000000.bak", "hack.smc.20000101-000001.bak",
                           "hack.smc.20000101-000002.bak"};
    ASSERT_TRUE(RomFixture(0x3FFF).writeTo(dir.filePath(foreign[0])));
    ASSERT_TRUE(QFile::copy(path, dir.filePath(foreign[1])));
    if (::chown(QFile::encodeName(dir.filePath(foreign[1])).constData(), 65534, 65534) != 0)
        foreign.removeAt(1); // only the superuser gives files away
    ASSERT_TRUE(QFile::link(path, dir.filePath(foreign.last())));
    const QString taken = "hack.smc.20240305-140709.bak";
    ASSERT_TRUE(RomFixture(0x4000).writeTo(dir.filePath(taken)));
    QStringList copies = {taken};
    copies << made(t0);
    EXPECT_EQ(copies.last().toStdString(), "hack.smc.20240305-140709-2.bak");
    EXPECT_EQ(readFile(dir.filePath(taken)), RomFixture(0x4000).bytes());
    EXPECT_EQ(readFile(dir.filePath(copies.last())), readFile(path));

    // Six sessions within that second and one after the clock was set back,
    // each pruning after its command: the copy just made always stays, and
    // the five made last are kept whatever their names.
    for (const QDateTime& when : {t0, t0, t0, t0, t0, t0.addYears(-1)}) {
        copies << made(when);
        backup::prune(path, dir.filePath(copies.last()));
        EXPECT_TRUE(QFile::exists(dir.filePath(copies.last())));
    }
    EXPECT_EQ(copies.last().toStdString(), "hack.smc.20230305-140709.bak");
    QStringList expected = strangers + foreign + copies.mid(copies.size() - backup::kKeptCopies);
    expected.sort();
    EXPECT_EQ(files().join(' ').toStdString(), expected.join(' ').toStdString());
}

TEST_F(ImageBackupTest, TwoProgramsBackingUpAtOnceBothGetCopiesOfTheirOwn)
{
    QStringList names[2];
    auto backUp = [&](QStringList* out) {
        for (int i = 0; i < 15; ++i) {
            QString copy;
            if (backup::make(path, t0, &copy).ok())
                out->append(copy);
        }
    };
    std::thread other(backUp, &names[1]);
    backUp(&names[0]);
    other.join();
    const QStringList all = names[0] + names[1];
    EXPECT_EQ(all.size(), 30);
    EXPECT_EQ(files().size(), 31); // distinct names, no temporary file left
    for (const QString& copy : all)
        EXPECT_EQ(readFile(copy), readFile(path));
}

TEST_F(ImageBackupTest, AFailedCopyLeavesNoFileAndGivesTheSystemsReason)
{
    EXPECT_EQ(backup::make(dir.filePath("missing.smc"), t0).error, "No such file or directory");
    const QString longName = dir.filePath(QString(240, 'n'));
    ASSERT_TRUE(RomFixture(16).writeTo(longName));
    EXPECT_EQ(backup::make(longName, t0).error, "File name too long");
#ifdef Q_OS_UNIX
    {
        const test::FileSizeLimit full(0x3000); // the disk fills up half way through the copy
        EXPECT_EQ(backup::make(path, t0).error, "File too large");
    }
#endif
    EXPECT_EQ(files().size(), 2);
}

TEST_F(ImageBackupTest, TheSessionPrunesOnlyAfterItsFirstCommandStood)
{
    for (int day = 1; day <= 6; ++day)
        made(t0.addDays(-day));
    RomImage rom;
    ASSERT_TRUE(rom.open(path).ok());
    ImageWriteSession session(rom, [this] { return t0; });
    const CommandOutcome failed = session.run("Save", CommandKind::Save, [&] {
        rom.writeByte(0x10, 0xAA);
        return IoResult::failure("Disk full");
    });
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(files().size(), 1 + 7);
    EXPECT_EQ(readFile(path), RomFixture(0x4000).fillRandom(1).bytes()); // nothing reached the file

    ASSERT_TRUE(session.run("Save", CommandKind::Save, [&] { return rom.writeByte(0x10, 0xAA); }).ok());
    EXPECT_EQ(files().size(), 1 + backup::kKeptCopies);
    EXPECT_TRUE(files().contains("hack.smc.20240305-140709.bak"));
}

} // namespace
