#include "core/image/ImageBackup.h"
#include "fixtures/RomFixture.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

TEST(ImageBackupTest, CopiesTheWholeFileKeepsTheNewestFiveAndGivesTheReasonOfAFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("hack.smc");
    ASSERT_TRUE(RomFixture(0x4000).fillRandom(1).writeTo(path));
    QStringList expected = {"hack.smc", "hack.smc.bak", "hack.smc.20200101-000000.bak.old",
                            "other.smc.20200101-000000.bak", "xhack.smc.20200101-000000.bak"};
    for (const QString& stranger : expected.mid(1))
        ASSERT_TRUE(RomFixture(1).writeTo(dir.filePath(stranger)));

    const QDateTime t0(QDate(2024, 3, 5), QTime(14, 7, 9));
    QString made;
    ASSERT_TRUE(backup::make(path, t0, &made).ok());
    EXPECT_EQ(made, dir.filePath("hack.smc.20240305-140709.bak"));
    EXPECT_EQ(readFile(made), readFile(path));
    ASSERT_TRUE(backup::make(path, t0, &made).ok());  // the same second keeps the first copy
    expected << "hack.smc.20240305-140710.bak";
    for (int day = 1; day <= 4; ++day) {
        ASSERT_TRUE(backup::make(path, t0.addDays(day), &made).ok());
        expected << QDir(dir.path()).relativeFilePath(made);
    }
    expected.sort();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files, QDir::Name), expected);

    // No such image, and a copy's name too long for the file system (even for root).
    EXPECT_FALSE(backup::make(dir.filePath("missing.smc"), t0).error.isEmpty());
    const QString longName = dir.filePath(QString(240, 'n'));
    ASSERT_TRUE(RomFixture(16).writeTo(longName));
    EXPECT_FALSE(backup::make(longName, t0).error.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), expected.size() + 1);
}

} // namespace
