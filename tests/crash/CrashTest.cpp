// SPDX-License-Identifier: GPL-3.0-or-later
// Stops the real programs at each of their writes to an image and its
// rollback journal (strace kills them there), reopens the image, and checks
// that it holds exactly what it held before the step or after it. Holds one
// inside its step (a test build's hold point) while another runs.

#include "core/image/RollbackJournal.h"
#include "core/image/RomImage.h"
#include "fixtures/RomFixture.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;

namespace {

constexpr qint64 kStampStart = 0x60;
constexpr qint64 kStampEnd = 0x200;

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

class CrashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_strace = QStandardPaths::findExecutable(QStringLiteral("strace"));
        if (m_strace.isEmpty())
            GTEST_SKIP() << "strace is not installed";
        QProcess probe;
        probe.start(m_strace, {"-qq", "-o", "/dev/null", "true"});
        if (!probe.waitForFinished() || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
            GTEST_SKIP() << "strace cannot trace here";
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert("XDG_CONFIG_HOME", m_dir.filePath("config")); // default options: backups on
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
        // The leak checker cannot run under a tracer; the sanitized build's other tests run it.
        m_env.insert("ASAN_OPTIONS", "detect_leaks=0");
        image = m_dir.filePath("game.smc");
        journal = image + "-journal";
    }

    void reset()
    {
        ASSERT_TRUE(writeBytes(image, original));
        QFile::remove(journal);
    }

    // Runs program under strace, killed at its n-th write to the image or
    // the journal (0: never). True when it was killed.
    bool run(const QString& program, const QStringList& args, int n)
    {
        QProcess process;
        start(process, program, args, n > 0 ? QStringLiteral("signal=KILL:when=%1").arg(n) : QString());
        const bool killed = process.exitStatus() == QProcess::CrashExit;
        if (!killed) {
            EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        }
        return killed;
    }

    // Runs program under strace, with fault (if any) at its writes to the image or the journal.
    void start(QProcess& process, const QString& program, const QStringList& args, const QString& fault,
               const QString& call = QStringLiteral("write"))
    {
        QStringList line = {"-o", "/dev/null", "-P", image, "-P", journal, "-e", "trace=" + call};
        if (!fault.isEmpty())
            line << "-e"
                 << "inject=" + call + ":" + fault;
        traced(process, line, program, args);
    }

    // Starts program untraced; with hold, it stops at that point until a line comes in.
    void launch(QProcess& process, const QString& program, const QStringList& args, const QString& hold = {})
    {
        QProcessEnvironment env = m_env;
        env.insert("ZORVEK_TEST_HOLD", hold);
        process.setProcessEnvironment(env);
        process.start(program, args);
        if (hold.isEmpty()) {
            EXPECT_TRUE(process.waitForFinished(60000));
            return;
        }
        QByteArray said;
        process.setReadChannel(QProcess::StandardError);
        while (!said.contains("held at") && process.waitForReadyRead(60000))
            said += process.readAllStandardError();
        process.setReadChannel(QProcess::StandardOutput);
        EXPECT_TRUE(said.contains("held at")) << said.toStdString();
    }

    void traced(QProcess& process, const QStringList& strace, const QString& program, const QStringList& args)
    {
        process.setProcessEnvironment(m_env);
        process.start(m_strace, QStringList{"-f", "-qq"} + strace + QStringList{"--", program} + args);
        EXPECT_TRUE(process.waitForFinished(60000));
    }

    // Opens the image as the programs do, which takes back a step cut off.
    QByteArray reopened()
    {
        RomImage rom;
        EXPECT_TRUE(rom.open(image).ok());
        const rollback::Recovery found = rollback::recover(rom);
        EXPECT_TRUE(found.state != rollback::Recovery::State::Changed
                    && found.state != rollback::Recovery::State::Failed)
            << found.reason.toStdString();
        rom.close();
        EXPECT_FALSE(QFile::exists(journal));
        return readFile(image);
    }

    // Kills the command at every write in turn, until it runs to its end;
    // fits says whether the reopened image is a whole state. Returns the
    // number of writes the command made.
    int sweep(const QString& program, const QStringList& args, const std::function<bool(const QByteArray&)>& fits)
    {
        for (int n = 1; n < 500; ++n) {
            reset();
            const bool killed = run(program, args, n);
            const QByteArray bytes = reopened();
            EXPECT_TRUE(fits(bytes)) << "killed at write " << n;
            if (!killed)
                return n - 1;
        }
        ADD_FAILURE() << "the command never ran to its end";
        return 0;
    }

    QByteArray finished(const QString& program, const QStringList& args)
    {
        reset();
        EXPECT_FALSE(run(program, args, 0));
        return readFile(image);
    }

    // The editor's monster table of the image, with the hit points (the
    // fifth column) of the monsters given changed.
    QString tableWithHitPoints(std::initializer_list<std::pair<int, QByteArray>> changes)
    {
        reset();
        const QString table = image + ".tsv";
        QProcess exporter;
        exporter.start(QStringLiteral(ZORVEK_EXECUTABLE), {"export", image, "--monsters", table});
        EXPECT_TRUE(exporter.waitForFinished() && exporter.exitCode() == 0);
        QList<QByteArray> lines = readFile(table).split('\n');
        for (const auto& [monster, hitPoints] : changes) {
            QList<QByteArray> cells = lines[monster + 1].split('\t');
            cells[4] = hitPoints;
            lines[monster + 1] = cells.join('\t');
        }
        EXPECT_TRUE(writeBytes(table, lines.join('\n')));
        return table;
    }

    const QByteArray original = RomFixture::standard(77).internalName("KELVARNTHOSIA 5").bytes();
    QString image;
    QString journal;

private:
    QTemporaryDir m_dir;
    QString m_strace;
    QProcessEnvironment m_env;
};

const QString kDriver = QStringLiteral(ZORVEK_CRASH_DRIVER);
const QString kEditor = QStringLiteral(ZORVEK_EXECUTABLE);
const QString kCli = QStringLiteral(ZORVEK_CLI_EXECUTABLE);

TEST_F(CrashTest, MonsterSaveAndItsUndoAreWholeOrAbsentAfterAKillAtAnyWrite)
{
    const QByteArray saved = finished(kDriver, {image, "monster-save"});
    ASSERT_NE(saved, original);
    const auto either = [&](const QByteArray& b) { return b == original || b == saved; };
    // The stamp and every field of the record each have a write of their own.
    EXPECT_GE(sweep(kDriver, {image, "monster-save"}, either), 1 + 18);
    // Killed in the save or in its undo: never part of either.
    EXPECT_GE(sweep(kDriver, {image, "undo"}, either), 2 * (1 + 18));

    // Killed with every write on disk, just before the journal goes: the
    // next opening cannot tell that from a cut-off step and takes it back.
    reset();
    QProcess process;
    start(process, kDriver, {image, "monster-save"}, "signal=KILL", "unlink");
    EXPECT_EQ(process.exitStatus(), QProcess::CrashExit);
    EXPECT_EQ(readFile(image), saved);
    EXPECT_EQ(reopened(), original);
}

TEST_F(CrashTest, CharacterSaveAndItsStampAreEachWholeOrAbsent)
{
    const QByteArray stamped = finished(kDriver, {image, "character-save"});
    QByteArray saved = stamped;
    saved.replace(kStampStart, kStampEnd - kStampStart, original.mid(kStampStart, kStampEnd - kStampStart));
    ASSERT_TRUE(saved != original && saved != stamped);
    EXPECT_GE(sweep(kDriver, {image, "character-save"},
                    [&](const QByteArray& b) { return b == original || b == saved || b == stamped; }),
              2 + 2);
}

TEST_F(CrashTest, ImportIsWholeOrAbsentAfterAKillAtAnyWrite)
{
    // Monsters 1, 100 and 200: writes far apart.
    const QString table = tableWithHitPoints({{1, "1001"}, {100, "1100"}, {200, "1200"}});
    const QStringList import = {"import", image, "--monsters", table};
    const QByteArray imported = finished(kEditor, import);
    // The stamp holds the time of each run; the rest is the same every time.
    const auto outsideStamp = [](const QByteArray& b) { return b.left(kStampStart) + b.mid(kStampEnd); };
    EXPECT_GE(sweep(kEditor, import,
                    [&](const QByteArray& b) {
                        if (b == original)
                            return true;
                        return outsideStamp(b) == outsideStamp(imported)
                            && b.mid(kStampStart).startsWith("Zorvek Multi Editor | ");
                    }),
              1 + 2);
}

// A full disk at any write: the import says why, and whatever reached the
// image is written back before it ends.
TEST_F(CrashTest, AnImportFailingAtAnyWriteIsTakenBackAndSaysSo)
{
    const QString table = tableWithHitPoints({{200, "4321"}});

    // The journal takes two writes (its header, then the rest), the image the others.
    for (int n = 1; n <= 4; ++n) {
        reset();
        QProcess process;
        start(process, kEditor, {"import", image, "--monsters", table, "--no-backup"},
              QStringLiteral("error=ENOSPC:when=%1").arg(n));
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_EQ(process.exitCode(), 4) << err.toStdString();
        EXPECT_TRUE(err.contains("No space left on device")) << err.toStdString();
        EXPECT_TRUE(err.contains(n <= 2 ? "Nothing was written." : "taken back: the image is as it was"))
            << err.toStdString();
        EXPECT_EQ(readFile(image), original) << "failed at write " << n;
        EXPECT_FALSE(QFile::exists(journal));
    }

    // Past a file size limit (the monster table's writes) a write fails the same way.
    reset();
    QProcess limited;
    limited.setChildProcessModifier([] {
        zorvek::test::limitFileSize(RomFixture::kMonsterTable - 0x1000);
        std::signal(SIGXFSZ, SIG_DFL);
    });
    launch(limited, kEditor, {"import", image, "--monsters", table, "--no-backup"});
    const QString err = QString::fromUtf8(limited.readAllStandardError());
    EXPECT_TRUE(limited.exitCode() == 4 && err.contains("File too large") && err.contains("taken back"))
        << err.toStdString();
    EXPECT_TRUE(readFile(image) == original && !QFile::exists(journal));
}

// A program held inside its step: a second writer and the window give up
// naming the file, and never take the live step back; a reader waits and
// then reads the whole step.
TEST_F(CrashTest, OthersWaitForAStepAndNeverTakeItBack)
{
    const QString table = tableWithHitPoints({{7, "4321"}});
    QProcess first, second, window, reader;
    launch(first, kCli, {"import", image, "--monsters", table}, "image-written");
    const QByteArray halfWay = readFile(image);
    launch(second, kCli, {"fix-checksum", image});
    EXPECT_EQ(second.exitCode(), 4);
    EXPECT_TRUE(QString::fromUtf8(second.readAllStandardError()).contains("Another program is writing " + image));
    launch(window, kDriver, {image, "monster-save"});
    EXPECT_EQ(window.exitCode(), 2);
    EXPECT_TRUE(readFile(image) == halfWay && QFile::exists(journal));
    launch(reader, kCli, {"export", image, "--monsters", "-"}, "lock-busy");

    first.write("\n");
    ASSERT_TRUE(first.waitForFinished());
    EXPECT_EQ(first.exitCode(), 0);
    reader.write("\n");
    ASSERT_TRUE(reader.waitForFinished());
    EXPECT_EQ(reader.readAllStandardOutput(), readFile(table));
    EXPECT_EQ(reader.readAllStandardError(), "");
}

// A backup killed or not made leaves no file behind; the journal's removal
// is on disk before an import ends.
TEST_F(CrashTest, TheJournalsRemovalIsSyncedAndABackupNotMadeLeavesNothing)
{
    const QString table = tableWithHitPoints({{3, "333"}});
    const QStringList import = {"import", image, "--monsters", table};
    const QString folder = QFileInfo(image).absolutePath();
    // Killed where a copy made under a temporary name is renamed (an unnamed
    // one needs no renaming): no file is left but whole copies by their names.
    reset();
    QProcess killed;
    traced(killed, {"-o", "/dev/null", "-e", "trace=renameat2", "-e", "inject=renameat2:signal=KILL"}, kEditor, import);
    const QStringList left = QDir(folder).entryList(QDir::Files);
    const QRegularExpression expected("^game\\.smc(\\.tsv|\\.\\d{8}-\\d{6}\\.bak)?$");
    EXPECT_EQ(left.filter(expected).join(' ').toStdString(), left.join(' ').toStdString());
    for (const QString& copy : QDir(folder).entryList({"*.bak"}))
        QFile::remove(QDir(folder).filePath(copy));
    // A copy whose folder sync fails is not made, and does not stay.
    reset();
    QProcess unsynced;
    traced(unsynced, {"-o", "/dev/null", "-e", "trace=fsync", "-e", "inject=fsync:error=EIO:when=2"}, kEditor, import);
    EXPECT_EQ(unsynced.exitCode(), 4);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).join(' ').toStdString(), "game.smc game.smc.tsv");
    EXPECT_EQ(readFile(image), original);

    QTemporaryDir logs;
    QProcess process;
    traced(process, {"-y", "-o", logs.filePath("calls"), "-e", "trace=unlink,unlinkat,fsync"}, kEditor, import);
    EXPECT_EQ(process.exitCode(), 0);
    const QString calls = QString::fromUtf8(readFile(logs.filePath("calls")));
    const qsizetype removed = calls.indexOf(QRegularExpression("unlink(at)?\\(.*-journal\""));
    ASSERT_GE(removed, 0) << calls.toStdString();
    EXPECT_GT(calls.indexOf(QRegularExpression("fsync\\(\\d+<" + QRegularExpression::escape(folder) + ">\\)"), removed),
              removed)
        << calls.toStdString();
}

} // namespace
