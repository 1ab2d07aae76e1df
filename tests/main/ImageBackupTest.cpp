#include "main/ImageBackup.h"
#include "support/RomFixture.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

TEST(ImageBackupTest, CopiesTheWholeFileAndKeepsTheNewestFive)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("hack.smc");
    ASSERT_TRUE(RomFixture(0x4000).fillRandom(1).writeTo(path));
    const QStringList strangers = {"hack.smc.bak", "hack.smc.20200101-000000.bak.old",
                                   "other.smc.20200101-000000.bak", "xhack.smc.20200101-000000.bak"};
    for (const QString& name : strangers)
        ASSERT_TRUE(RomFixture(1).writeTo(dir.filePath(name)));

    const QDateTime t0(QDate(2024, 3, 5), QTime(14, 7, 9));
    QString made;
    ASSERT_TRUE(backup::make(path, t0, &made).ok());
    EXPECT_EQ(made, dir.filePath("hack.smc.20240305-140709.bak"));
    EXPECT_EQ(readFile(made), readFile(path));
    // The same second again keeps the first copy.
    ASSERT_TRUE(backup::make(path, t0, &made).ok());
    EXPECT_EQ(made, dir.filePath("hack.smc.20240305-140710.bak"));
    for (int day = 1; day <= 4; ++day)
        ASSERT_TRUE(backup::make(path, t0.addDays(day)).ok());

    QStringList expected = strangers;
    expected << "hack.smc" << "hack.smc.20240305-140710.bak";
    for (int day = 1; day <= 4; ++day)
        expected << backup::copyName("hack.smc", t0.addDays(day));
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);
}

TEST(ImageBackupTest, AFailedCopyGivesTheReasonAndLeavesNothing)
{
    QTemporaryDir dir;
    const QDateTime when(QDate(2024, 1, 2), QTime(3, 4, 5));
    EXPECT_FALSE(backup::make(dir.filePath("missing.smc"), when).error.isEmpty());
    // The copy's name is too long for the file system, even for root.
    const QString path = dir.filePath(QString(240, 'n'));
    ASSERT_TRUE(RomFixture(16).writeTo(path));
    const IoResult r = backup::make(path, when);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace
