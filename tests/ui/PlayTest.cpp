// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ExpectedPlayCopy.h"
#include "support/GuiTestBase.h"
#include "support/OutsideWrite.h"
#include "ui/PlayLauncher.h"
#include "ui/monsters/MonsterTableWindow.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileSystemWatcher>
#include <QSignalSpy>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>

using namespace zorvek;
using namespace zorvek::test;

namespace {

class PlayTest : public GuiTestBase {
protected:
    // Every stand-in emulator ends within the test, so none outlives the window.
    void TearDown() override
    {
        for (const QPointer<QProcess>& process : effects.processes)
            if (process)
                process->waitForFinished(5000);
        GuiTestBase::TearDown();
    }

    // A small real program standing in for the emulator.
    QString script(const QString& name, const QByteArray& body)
    {
        const QString path = tempPath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write("#!/bin/sh\n" + body) > 0);
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }
    // A script that writes each argument it was given on a line of argsFile.
    QString recordingScript(const QString& name)
    {
        return script(name, "for a in \"$@\"; do echo \"$a\"; done >'" + argsFile().toUtf8() + "'\n");
    }
    QString argsFile() const { return tempPath(QStringLiteral("args.txt")); }
    QStringList arguments() const { return QString::fromUtf8(readFile(argsFile())).split(u'\n', Qt::SkipEmptyParts); }
    QString cacheFolder() const { return QStandardPaths::writableLocation(QStandardPaths::CacheLocation); }
    QString notice() { return find<QLabel>(QStringLiteral("NoticeLBL"))->text(); }
};

TEST_F(PlayTest, F5PlaysAHeaderlessCopyWithAValidChecksumAndTheTablesChangesWhileTheImageStaysAsItWas)
{
    const QString emulator = recordingScript(QStringLiteral("my emulator/run"));
    QSettings().setValue(QStringLiteral("Emulator/Command"), u'"' + emulator + QStringLiteral("\" --fast {rom}"));
    RomFixture rom = playableImage(21);
    rom.bytesAt(RomFixture::monster(5, 0), QByteArray(32, '\0'));
    openImage(rom);
    const QByteArray before = fileBytes();

    trigger(QStringLiteral("mnuMonsterTable"));
    ui::MonsterTableWindow* table = form1->monsterTable();
    ASSERT_TRUE(table && QTest::qWaitForWindowActive(table));
    auto* view = find<QTableView>(table, QStringLiteral("MonsterTableView"));
    const QModelIndex hitPoints = view->model()->index(5, table::monstertable::HitPoints);
    view->scrollTo(hitPoints);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(hitPoints).center());
    QTest::keyClick(view, '1');
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("234"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_VERIFY(table->hasUnsavedChanges());

    QTest::keyClick(table, Qt::Key_F5); // the key works beside the main window too
    QTRY_COMPARE(arguments().size(), 2);
    EXPECT_EQ(effects.startedPrograms.size(), 1u);
    EXPECT_EQ(arguments().at(0), "--fast");
    const QString copyPath = arguments().at(1);
    EXPECT_TRUE(copyPath.startsWith(cacheFolder())) << copyPath.toStdString();
    EXPECT_EQ(readFile(copyPath), expectedPlayCopy(rom.monsterWord(5, 8, 1234).bytes()));
    EXPECT_EQ(fileBytes(), before);
    EXPECT_TRUE(table->hasUnsavedChanges());
    EXPECT_TRUE(notice().contains(QStringLiteral("unsaved changes to 1 monster"))) << notice().toStdString();
    EXPECT_TRUE(effects.messages.empty());

    // The next play replaces the same copy, and the toolbar button plays too.
    QFile::remove(argsFile());
    clickToolButton(QStringLiteral("Play"));
    QTRY_COMPARE(arguments().size(), 2);
    EXPECT_EQ(arguments().at(1), copyPath);
}

TEST_F(PlayTest, TheFirstF5OpensTheEmulatorDialogWithWhatIsFoundAndPlaysOnceOneIsChosen)
{
    const QString mednafen = recordingScript(QStringLiteral("bin/mednafen"));
    script(QStringLiteral("bin/retroarch"), "exit 0\n");
    const QString cores = tempPath(QStringLiteral("cores"));
    QDir().mkpath(cores);
    for (const char* core : {"snes9x_libretro.so", "genesis_plus_gx_libretro.so"})
        QFile(cores + u'/' + QLatin1String(core)).open(QIODevice::WriteOnly);
    form1->playLauncher().setSearchPlaces({{tempPath(QStringLiteral("bin"))}, {cores}});
    openImage(playableImage(22));

    form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    QTest::keyClick(form1.get(), Qt::Key_F5);
    auto* dialog = form1->findChild<QDialog*>(QStringLiteral("EmulatorDialog"));
    ASSERT_TRUE(dialog && dialog->isVisible());
    EXPECT_TRUE(effects.startedPrograms.empty());
    auto* presets = find<QComboBox>(dialog, QStringLiteral("EmulatorPresetCBO"));
    ASSERT_EQ(presets->count(), 3); // own command, RetroArch with the SNES core, mednafen
    EXPECT_EQ(presets->itemData(1).toString(),
              tempPath(QStringLiteral("bin/retroarch")) + " -L " + cores + "/snes9x_libretro.so {rom}");
    auto* ok = find<QDialogButtonBox>(dialog, QStringLiteral("EmulatorButtons"))->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(ok->isEnabled());

    presets->setFocus();
    QTest::keyClick(presets, Qt::Key_Down);
    QTest::keyClick(presets, Qt::Key_Down);
    const QString copyPath = form1->playLauncher().copyPathFor(romPath);
    EXPECT_EQ(find<QPlainTextEdit>(dialog, QStringLiteral("EmulatorRunsAsTXT"))->toPlainText(),
              mednafen + u' ' + copyPath);
    QTest::mouseClick(ok, Qt::LeftButton);
    QTRY_COMPARE(arguments(), QStringList{copyPath});
    EXPECT_EQ(QSettings().value(QStringLiteral("Emulator/Command")).toString(), mednafen + " {rom}");
}

TEST_F(PlayTest, AnEmulatorThatCannotStartOrEndsWithAnErrorIsReportedWithItsCodeAndLastLines)
{
    const QString failing = script(QStringLiteral("failing"), "echo starting\necho 'no SNES core here' >&2\nexit 3\n");
    QSettings().setValue(QStringLiteral("Emulator/Command"), failing + QStringLiteral(" {rom}"));
    openImage(playableImage(23));
    trigger(QStringLiteral("mnuPlay"));
    QTRY_COMPARE(effects.messages.size(), 1u);
    expectMessage(1, ui::MessageIcon::Exclamation,
                  {QStringLiteral("exit code 3"), failing, QStringLiteral("starting\nno SNES core here")});

    QSettings().setValue(QStringLiteral("Emulator/Command"), tempPath(QStringLiteral("not-there")) + " {rom}");
    trigger(QStringLiteral("mnuPlay"));
    QTRY_COMPARE(effects.messages.size(), 2u);
    expectMessage(2, ui::MessageIcon::Exclamation,
                  {QStringLiteral("could not be started"), QStringLiteral("not-there")});
}

TEST_F(PlayTest, AnOutsideChangeIsNoticedAtOnceAndOffersAReopenWhileTheProgramsOwnSavesAreNot)
{
    openImage(RomFixture::standard());
    QSignalSpy seen(form1->findChild<QFileSystemWatcher*>(), &QFileSystemWatcher::fileChanged);
    trigger(QStringLiteral("mnuSave"));
    ASSERT_TRUE(seen.wait(5000));
    EXPECT_TRUE(effects.yesNoQuestions.isEmpty());
    ASSERT_TRUE(rewriteInPlace(romPath, RomFixture::kInternalName, QByteArrayLiteral("OUTSIDE NAME")));
    effects.yesNoAnswers = {true};
    QTRY_COMPARE(effects.yesNoQuestions.size(), 1);
    EXPECT_TRUE(effects.yesNoQuestions.at(0).contains(QDir::toNativeSeparators(romPath)));
    QTRY_VERIFY(find<QLineEdit>(QStringLiteral("InternalROMNameTXT"))->text().startsWith("OUTSIDE NAME"));

    // Replaced by a rename, which drops a watch on the file itself.
    RomFixture replacement = RomFixture::standard();
    ASSERT_TRUE(replacement.internalName("RENAMED IN").writeTo(tempPath(QStringLiteral("new.smc"))));
    ASSERT_EQ(::rename(qPrintable(tempPath(QStringLiteral("new.smc"))), qPrintable(romPath)), 0);
    QTRY_COMPARE(effects.yesNoQuestions.size(), 2);
    EXPECT_EQ(notice(), QStringLiteral("Another program changed the image."));
    EXPECT_TRUE(find<QLineEdit>(QStringLiteral("InternalROMNameTXT"))->text().startsWith("OUTSIDE NAME"));
    EXPECT_TRUE(effects.messages.empty());
}

} // namespace
