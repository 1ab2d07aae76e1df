// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo, the backup before the first write and the checksum, driven
// through the real windows; the image's bytes are checked afterwards.

#include "core/image/PendingStamp.h"
#include "core/image/RollbackJournal.h"
#include "support/GuiTestBase.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QScrollBar>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;

namespace {

class WritePathTest : public GuiTestBase {
protected:
    QAction* action(const char* name) { return find<QAction>(QString::fromLatin1(name)); }
    // As shown, without the access key's mark.
    QString undoText() { return action("mnuUndo")->text().remove(u'&'); }
    QString redoText() { return action("mnuRedo")->text().remove(u'&'); }
    QString checksumText() { return find<QLabel>("ChecksumLBL")->text(); }
    QStringList filesBesideImage() { return QDir(tempPath("")).entryList(QDir::Files, QDir::Name); }

    void pressUndoIn(QWidget* focused)
    {
        focused->window()->activateWindow(); // shortcuts go to the active window
        ASSERT_TRUE(QTest::qWaitForWindowActive(focused->window()));
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Z, Qt::ControlModifier);
    }
};

TEST_F(WritePathTest, UndoTakesCommandsBackNewestFirstToTheImageAsOpenedAndRedoWritesThemAgain)
{
    const RomFixture rom =
        RomFixture().fillRandom(31).copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    openImage(rom);
    EXPECT_FALSE(action("mnuUndo")->isEnabled() || action("mnuRedo")->isEnabled());
    EXPECT_EQ(undoText() + redoText(), "UndoRedo");
    EXPECT_EQ(action("mnuRedo")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));

    QWidget* form2 = openMonsterEditor(5);
    const QString monster = find<QListWidget>(form2, "MonsterList")->currentItem()->text();
    const QString storedHp = find<QLineEdit>(form2, "HPTXT")->text();
    typeInto(form2, "HPTXT", "1234");
    clickOn(form2, "SaveCMD");
    clickOn(form2, "CancelCMD");
    QWidget* form3 = openCharacterEditor();
    find<QScrollBar>(form3, "Scroll")->setValue(2);
    typeInto(form3, "STRTXT", "77");
    clickOn(form3, "SaveCMD");
    QTRY_VERIFY(!form1->session().pendingStamp().isPending()); // the stamp, a step of its own
    clickOn(form3, "CancelCMD");
    typeInto(form1.get(), "InternalROMNameTXT", "AB");
    trigger("mnuSave");
    const QByteArray saved = fileBytes();
    EXPECT_EQ(undoText(), "Undo Save ROM");

    // The name box keeps Ctrl+Z for its own typing; elsewhere it undoes Save ROM.
    typeInto(form1.get(), "InternalROMNameTXT", "XY");
    pressUndoIn(find<QLineEdit>("InternalROMNameTXT"));
    EXPECT_EQ(find<QLineEdit>("InternalROMNameTXT")->text(), "AB");
    EXPECT_EQ(fileBytes(), saved);
    pressUndoIn(find<QComboBox>("CopierTypeCBO"));
    EXPECT_EQ(find<QLineEdit>("InternalROMNameTXT")->text(), "KELVARNTHOSIA 5      "); // the file changed under it
    EXPECT_EQ(redoText(), "Redo Save ROM");

    for (const QString& step : {QStringLiteral("Stamp"), QStringLiteral("Save of Character 2")}) {
        EXPECT_EQ(undoText(), "Undo " + step);
        trigger("mnuUndo");
    }
    // From the editor too; it shows the record as the undo left it.
    form2 = openMonsterEditor(5);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "1234");
    EXPECT_EQ(undoText(), "Undo Save of " + monster);
    pressUndoIn(find<QListWidget>(form2, "MonsterList"));
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), storedHp);
    EXPECT_EQ(fileBytes(), rom.bytes());
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
    EXPECT_EQ(undoText(), "Undo");

    for (int i = 0; i < 4; ++i)
        trigger("mnuRedo");
    EXPECT_EQ(fileBytes(), saved);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "1234");
    EXPECT_EQ(redoText(), "Redo");
    EXPECT_EQ(undoText(), "Undo Save ROM");
    EXPECT_TRUE(effects.messages.empty());

    // A stamp still due at an undo is dropped: it would end the way forward.
    clickOn(form2, "CancelCMD");
    form3 = openCharacterEditor();
    find<QScrollBar>(form3, "Scroll")->setValue(2);
    typeInto(form3, "STRTXT", "55");
    clickOn(form3, "SaveCMD");
    trigger("mnuUndo");
    QTest::qWait(50);
    EXPECT_EQ(fileBytes(), saved);
    EXPECT_EQ(redoText(), "Redo Save of Character 2");

    // Closing the image ends the journal.
    clickOn(form3, "CancelCMD");
    trigger("mnuClose");
    EXPECT_FALSE(action("mnuUndo")->isEnabled() || action("mnuRedo")->isEnabled());
}

TEST_F(WritePathTest, TheFirstSaveOfASessionBacksUpTheImageAsOpenedAndAFailedBackupWritesNothing)
{
    // The first save's copy holds the image as opened (see the main window's
    // Save ROM test); a later save of the session makes no other.
    const RomFixture rom = RomFixture::standard().fillRandom(41).copierHeader(2).checkWord(0x1878);
    openImage(rom);
    EXPECT_TRUE(action("mnuBackUp")->isChecked());
    trigger("mnuSave");
    effects.clock = effects.clock.addSecs(60);
    trigger("mnuSave");
    EXPECT_EQ(filesBesideImage().size(), 2);

    // Turned off, and remembered: a new session makes none.
    action("mnuBackUp")->trigger();
    form1 = std::make_unique<MainWindow>(effects);
    form1->show();
    EXPECT_FALSE(action("mnuBackUp")->isChecked());
    openPath(romPath);
    trigger("mnuSave");
    EXPECT_EQ(filesBesideImage().size(), 2);
    action("mnuBackUp")->trigger();

    // A copy's name too long for the file system, even for root: nothing is
    // written, the editor keeps its edits and the message says how to go on.
    const QString longName = QString(240, 'n') + ".smc";
    openImage(rom, longName);
    QWidget* form2 = openMonsterEditor(3);
    typeInto(form2, "HPTXT", "999");
    clickOn(form2, "SaveCMD");
    EXPECT_EQ(fileBytes(), rom.bytes());
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "999");
    expectMessage(1, MessageIcon::Exclamation, {longName, "too long", "Back Up Before First Save"});
    EXPECT_FALSE(action("mnuUndo")->isEnabled());
}

uint16_t plainSum(const QByteArray& image)
{
    return static_cast<uint16_t>(plainRomSum(image, 0, image.size() - 0x200));
}

QString hex(uint16_t value) { return "0x" + QString::number(value, 16).toUpper().rightJustified(4, '0'); }

TEST_F(WritePathTest, ChecksumStateFollowsEveryWriteAndItsFixIsOneStepOfFourBytes)
{
    const RomFixture rom = RomFixture(RomFixture::kFullSize)
                               .fillRandom(51)
                               .copierHeader(1)
                               .checkWord(0x1878)
                               .internalName("KELVARNTHOSIA 5")
                               .word16At(0x101DC, 0x1234)
                               .word16At(0x101DE, 0x5678);
    EXPECT_EQ(checksumText(), "");
    openImage(rom);
    const uint16_t sum = plainSum(rom.bytes());
    ASSERT_NE(sum, 0x5678);
    EXPECT_EQ(checksumText(), "Checksum: stale (stored 0x5678, computed " + hex(sum) + ")");

    trigger("mnuFixChecksum");
    const QByteArray fixed = RomFixture(rom).word16At(0x101DC, sum ^ 0xFFFF).word16At(0x101DE, sum).bytes();
    EXPECT_EQ(fileBytes(), fixed); // the four bytes only, no stamp
    EXPECT_EQ(checksumText(), "Checksum: valid (" + hex(sum) + ")");
    EXPECT_EQ(undoText(), "Undo Fix checksum");
    trigger("mnuUndo");
    EXPECT_EQ(fileBytes(), rom.bytes());
    EXPECT_TRUE(checksumText().startsWith("Checksum: stale"));

    // On every save, remembered: the words join the save's step. The label
    // follows a save made in an editor.
    action("mnuFixChecksumOnSave")->trigger();
    EXPECT_TRUE(QSettings().value("Saving/FixChecksumOnSave").toBool());
    QWidget* form2 = openMonsterEditor(7);
    typeInto(form2, "LevelTXT", "3");
    clickOn(form2, "SaveCMD");
    const QByteArray saved = fileBytes();
    const uint16_t savedSum = plainSum(saved);
    EXPECT_NE(savedSum, sum);
    EXPECT_EQ(static_cast<uint8_t>(saved[0x100200 + 32 * 7 + 31]), 3);
    EXPECT_EQ(saved.mid(0x101DC, 4), RomFixture(4).word16At(0, savedSum ^ 0xFFFF).word16At(2, savedSum).bytes());
    EXPECT_EQ(checksumText(), "Checksum: valid (" + hex(savedSum) + ")");
    trigger("mnuUndo");
    EXPECT_EQ(fileBytes(), rom.bytes());
}

TEST_F(WritePathTest, OpeningTakesBackAStepCutOffByACrashAndSaysSoUnlessAnotherProgramChangedTheImage)
{
    // Save ROM cut off while it wrote the name.
    const RomFixture rom = RomFixture::standard(61).internalName("KELVARNTHOSIA 5");
    const qint64 at = RomFixture::kInternalName;
    QByteArray half = rom.bytes();
    half.replace(at, 4, "ZORV");
    romPath = tempPath("game.smc");
    const QString journal = romPath + "-journal";
    const auto cutOff = [&](const QByteArray& image) {
        ASSERT_TRUE(RomFixture(0).bytesAt(0, image).writeTo(romPath));
        ASSERT_TRUE(
            rollback::write(romPath, image.size(), {{at, rom.bytes().mid(at, 21), "ZORVEK ROM NAME TYPED"}}).ok());
    };
    cutOff(half);
    openPath(romPath);
    EXPECT_EQ(fileBytes(), rom.bytes());
    EXPECT_FALSE(QFile::exists(journal));
    EXPECT_EQ(find<QLineEdit>("InternalROMNameTXT")->text(), "KELVARNTHOSIA 5      ");
    auto* notice = find<QLabel>("NoticeLBL");
    EXPECT_EQ(notice->text(), "A step cut off by a crash was taken back.");
    EXPECT_TRUE(notice->toolTip().contains(QDir::toNativeSeparators(journal)));
    EXPECT_TRUE(effects.messages.empty());
    trigger("mnuClose");
    EXPECT_EQ(notice->text(), "Every save writes at once; Undo takes it back.");

    // Another program wrote over a byte of the step since: both files stay as
    // they are, a message says so, and saves are refused while the journal is there.
    QByteArray changed = half;
    changed[at + 1] = 'x';
    cutOff(changed);
    const QByteArray journalBytes = readFile(journal);
    openPath(romPath);
    expectMessage(1, MessageIcon::Exclamation,
                  {"another program has changed the image since", QDir::toNativeSeparators(journal)});
    trigger("mnuSave");
    expectMessage(2, MessageIcon::Exclamation, {journal});
    EXPECT_EQ(fileBytes(), changed);
    EXPECT_EQ(readFile(journal), journalBytes);
}

} // namespace
