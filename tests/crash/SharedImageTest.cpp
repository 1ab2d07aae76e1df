// Two real programs on one image: the first held inside its step by the
// test build's hold points, the second run against it.

#include "fixtures/RomFixture.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

const QString kCli = QStringLiteral(ZORVEK_CLI_EXECUTABLE);

class SharedImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(RomFixture::standard(5).internalName("KELVARNTHOSIA 5").writeTo(image));
        // The exported table with monster 7's hit points changed: what the imports write.
        ASSERT_EQ(run({"export", image, "--monsters", table})->exitCode(), 0);
        QList<QByteArray> lines = readFile(table).split('\n');
        QList<QByteArray> cells = lines[8].split('\t');
        cells[4] = "4321";
        lines[8] = cells.join('\t');
        QFile out(table);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(lines.join('\n')) > 0);
    }

    void start(QProcess& process, const QStringList& args, const QString& hold = {},
               const QString& program = kCli)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ZORVEK_TEST_HOLD", hold);
        process.setProcessEnvironment(env);
        process.start(program, args);
        if (hold.isEmpty()) {
            EXPECT_TRUE(process.waitForFinished(30000));
        }
    }
    std::unique_ptr<QProcess> run(const QStringList& args, const QString& program = kCli)
    {
        auto process = std::make_unique<QProcess>();
        start(*process, args, {}, program);
        return process;
    }
    // Waits until process stands at its hold point.
    static void held(QProcess& process)
    {
        QByteArray err;
        process.setReadChannel(QProcess::StandardError);
        while (!err.contains("held at") && process.waitForReadyRead(30000))
            err += process.readAllStandardError();
        process.setReadChannel(QProcess::StandardOutput);
        ASSERT_TRUE(err.contains("held at")) << err.toStdString();
    }
    static void release(QProcess& process)
    {
        process.write("\n");
        ASSERT_TRUE(process.waitForFinished(30000));
    }

    QTemporaryDir dir;
    QString image = dir.filePath("game.smc");
    QString table = dir.filePath("monsters.tsv");
};

TEST_F(SharedImageTest, OthersWaitForAStepAndNeverTakeItBack)
{
    QProcess first;
    start(first, {"import", image, "--monsters", table}, "image-written");
    held(first);
    const QByteArray halfWay = readFile(image);

    // A second writer and the window give up with the file's name; a
    // reader waits, then reads the whole step.
    const auto second = run({"fix-checksum", image});
    EXPECT_EQ(second->exitCode(), 4);
    const QString said = QString::fromUtf8(second->readAllStandardError());
    EXPECT_TRUE(said.contains("Another program is writing " + image)) << said.toStdString();
    EXPECT_EQ(run({image, "monster-save"}, QStringLiteral(ZORVEK_CRASH_DRIVER))->exitCode(), 2);
    EXPECT_EQ(readFile(image), halfWay);
    EXPECT_TRUE(QFile::exists(image + "-journal"));
    QProcess reader;
    start(reader, {"export", image, "--monsters", "-"}, "lock-busy");
    held(reader);

    release(first);
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    release(reader);
    EXPECT_EQ(reader.readAllStandardOutput(), readFile(table));
    EXPECT_EQ(reader.readAllStandardError(), "");
    EXPECT_EQ(run({"export", image, "--monsters", "-"})->readAllStandardOutput(), readFile(table));
}

#ifdef Q_OS_UNIX
// Past a file size limit a write fails as on a full disk: taken back, said.
TEST_F(SharedImageTest, AFileSizeLimitIsAFailedWriteNotAKill)
{
    const QByteArray before = readFile(image);
    QProcess process;
    process.setChildProcessModifier([] {
        zorvek::test::limitFileSize(RomFixture::kMonsterTable - 0x1000);
        std::signal(SIGXFSZ, SIG_DFL);
    });
    start(process, {"import", image, "--monsters", table, "--no-backup"});
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 4);
    const QString said = QString::fromUtf8(process.readAllStandardError());
    EXPECT_TRUE(said.contains("File too large") && said.contains("taken back")) << said.toStdString();
    EXPECT_EQ(readFile(image), before);
    EXPECT_FALSE(QFile::exists(image + "-journal"));
}
#endif

} // namespace
