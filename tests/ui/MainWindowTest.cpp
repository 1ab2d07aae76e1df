// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/PendingStamp.h"
#include "ui/AboutDialog.h"
#include "support/GuiTestBase.h"
#include "support/MemoryImage.h"

#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;

namespace {

const QString kNotLoaded = QStringLiteral("Zorvek ROM not loaded...");

class MainWindowTest : public GuiTestBase {
protected:
    QLineEdit* nameBox() { return find<QLineEdit>("InternalROMNameTXT"); }
    QComboBox* copierBox() { return find<QComboBox>("CopierTypeCBO"); }

    // Steps through the list with the arrow keys, as a user picks an entry.
    void pickCopier(int index)
    {
        QComboBox* box = copierBox();
        box->setFocus();
        for (int step = 0; step < 5 && box->currentIndex() != index; ++step)
            QTest::keyClick(box, box->currentIndex() < index ? Qt::Key_Down : Qt::Key_Up);
        ASSERT_EQ(box->currentIndex(), index);
    }

    void expectNotLoaded(int copierIndex)
    {
        EXPECT_EQ(nameBox()->text(), kNotLoaded);
        EXPECT_FALSE(nameBox()->isEnabled());
        EXPECT_FALSE(find<QPushButton>("ChangeROMNameCMD")->isEnabled());
        EXPECT_FALSE(find<QAction>("mnuSave")->isEnabled());
        EXPECT_FALSE(find<QToolBar>("Toolbar2")->isEnabled());
        EXPECT_FALSE(copierBox()->isEnabled());
        EXPECT_EQ(copierBox()->currentIndex(), copierIndex);
    }
};

TEST_F(MainWindowTest, StartsNotLoadedWithItsMenusAndToolbars)
{
    EXPECT_EQ(form1->windowTitle(), "Zorvek Multi Editor");
    expectNotLoaded(4);
    EXPECT_EQ(copierBox()->currentText(), kNotLoaded);

    // Undo, patches and the checksum fix need an image; the options start at their defaults.
    auto names = [&](const char* menu) {
        QStringList found;
        for (QAction* action : find<QMenu>(menu)->actions())
            found << action->objectName() + (action->isEnabled() ? "" : "-") + (action->isChecked() ? "+" : "");
        return found.join(' ');
    };
    EXPECT_EQ(names("mnuFile"),
              "mnuOpen mnuAddHeader mnuRecent mnuClose mnuSave- mnuDmy5 mnuUndo- mnuRedo- mnuDmy6 mnuCreatePatch- "
              "mnuApplyPatch- mnuDmy2 mnuQuit");
    EXPECT_EQ(names("mnuStuff"),
              "mnuHelp- mnuReadme mnuURL mnuDmy8 mnuMonsters- mnuCharacters- mnuMonsterTable- mnuPlay- mnuEmulator "
              "mnuDmy7 mnuBackUp+ mnuFixChecksum- mnuFixChecksumOnSave mnuDmy3 mnuAbout");

    // Without an image the toolbar's Save only complains, Config and Help do nothing.
    clickToolButton("Save");
    clickToolButton("Config");
    find<QAction>("mnuHelp")->trigger();
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(effects.messages[0].text, "You need to load your Zorvek ROM to continue.");
}

TEST_F(MainWindowTest, OpenShowsNameAndCopierTypeAndEnablesTheEditors)
{
    ASSERT_TRUE(QDir().mkpath(tempPath("roms")));
    openImage(RomFixture::standard().copierHeader(2).internalName("KELVARNTHOSIA 5"), "roms/game.smc");
    EXPECT_EQ(effects.lastStartFolder, "");
    EXPECT_EQ(effects.lastSelectedFilter, "Super MagiCom ROM File (*.smc)");
    EXPECT_EQ(effects.lastFilters.size(), 4);
    EXPECT_EQ(nameBox()->text(), "KELVARNTHOSIA 5      ");
    EXPECT_EQ(copierBox()->currentIndex(), 2);
    EXPECT_TRUE(effects.messages.empty());
    EXPECT_FALSE(effects.endedWith.has_value());

    // A cancelled dialog keeps the open image; the dialog starts where the
    // image was found, also in the next run.
    effects.openAnswers.push_back(std::nullopt);
    clickToolButton("Open");
    EXPECT_TRUE(form1->session().rom().isOpen());
    EXPECT_EQ(effects.lastStartFolder, tempPath("roms"));
    form1 = std::make_unique<MainWindow>(effects);
    clickToolButton("Open");
    EXPECT_EQ(effects.lastStartFolder, tempPath("roms"));
}

TEST_F(MainWindowTest, UnopenableFileFallsBackToNotLoadedAndAWrongImageEndsTheProgram)
{
    openImage(RomFixture::standard());
    openPath(tempPath("no such file.smc"));
    expectNotLoaded(0);
    EXPECT_FALSE(form1->session().rom().isOpen());
    expectMessage(1, MessageIcon::Exclamation, {"no such file.smc"});
    EXPECT_FALSE(effects.endedWith.has_value());

    openPath(tempPath("")); // the folder itself
    expectNotLoaded(0);
    EXPECT_EQ(effects.messages.size(), 2u);

    // An image of another game ends the program and leaves the file alone.
    for (const RomFixture& rom : {RomFixture::standard().checkWord(0x1879), RomFixture(0), RomFixture(513),
                                  RomFixture(0x300).bytesAt(0, QByteArray::fromHex("7818"))}) {
        effects.messages.clear();
        effects.endedWith.reset();
        openImage(rom);
        ASSERT_EQ(effects.messages.size(), 1u);
        EXPECT_EQ(effects.messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(effects.messages[0].text, "You must load the correct Zorvek ROM file.  Application will now close.");
        EXPECT_EQ(effects.endedWith, 1);
        EXPECT_FALSE(form1->session().rom().isOpen());
        EXPECT_EQ(fileBytes(), rom.bytes());
        // Ending closes the main window; that must not turn into a second ending.
        form1->close();
        EXPECT_EQ(effects.endedWith, 1);
        form1 = std::make_unique<MainWindow>(effects);
        form1->show();
    }
}

TEST_F(MainWindowTest, PopUpNamesChangeOnlyTheBoxUntilSaved)
{
    const RomFixture rom = RomFixture::standard().fillRandom(5).copierHeader(1).checkWord(0x1878);
    openImage(rom);
    QTest::mouseClick(find<QPushButton>("ChangeROMNameCMD"), Qt::LeftButton);
    auto* popup = find<QMenu>("mnuDefault1");
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->actions().size(), 4);
    find<QAction>("mnuZorvan")->trigger();
    popup->close();
    EXPECT_EQ(nameBox()->text(), "Kelvarnthosia V");
    find<QAction>("mnuZorvek")->trigger();
    EXPECT_EQ(nameBox()->text(), "Kelvarnthosia 5");
    // Typing stops at the field's 21 characters.
    typeInto(form1.get(), "InternalROMNameTXT", "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(nameBox()->text(), "ABCDEFGHIJKLMNOPQRSTU");

    // Close ROM drops the edits and returns to not loaded, with index 0 this time.
    trigger("mnuClose");
    expectNotLoaded(0);
    EXPECT_EQ(fileBytes(), rom.bytes());
    trigger("mnuClose"); // again, with nothing open
    expectNotLoaded(0);
}

TEST_F(MainWindowTest, SaveRomWritesStampThenNameThenHeaderThatReopenAsSaved)
{
    const RomFixture rom = RomFixture::standard().fillRandom(21).copierHeader(1).checkWord(0x1878);
    openImage(rom);
    typeInto(form1.get(), "InternalROMNameTXT", "AB");
    pickCopier(2);
    clickToolButton("Save");

    // Nothing else, and beside it one copy of the image as it was opened.
    const QByteArray stamp = "Zorvek Multi Editor | 0.65 | 12/5/2002, 4:37:57 PM";
    EXPECT_EQ(fileBytes(), RomFixture(rom).bytesAt(0x60, stamp).internalName("AB").copierHeader(2).bytes());
    EXPECT_EQ(QDir(tempPath("")).entryList(QDir::Files), QStringList({"game.smc", "game.smc.20021205-163757.bak"}));
    EXPECT_EQ(readFile(tempPath("game.smc.20021205-163757.bak")), rom.bytes());
    EXPECT_TRUE(effects.messages.empty());

    // Reopening shows what was saved; saved again, the stamp goes first, then
    // the name (blanks, then text), then the header's three words.
    openPath(romPath);
    EXPECT_EQ(copierBox()->currentIndex(), 2);
    EXPECT_EQ(nameBox()->text(), QString("AB").leftJustified(21, ' '));
    MemoryDevice* device = attachMemory(form1->session().rom(), rom.bytes(), -1, {}, romPath);
    pickCopier(3);
    trigger("mnuSave");
    EXPECT_EQ(device->writeOffsets, (std::vector<qint64>{0x60, 0x101C0, 0x101C0, 0x0, 0x4, 0x8}));
    EXPECT_EQ(device->data().left(12).toHex(), "800000007783000000000000");
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(MainWindowTest, CopierHeaderIsWrittenOnlyAsPicked)
{
    // A header of no known form shows as index 0. A pick made before the image
    // is opened again does not count; a save made to rename keeps the header.
    const RomFixture rom = RomFixture::standard().fillRandom(4).checkWord(0x1878);
    openImage(rom);
    ASSERT_EQ(copierBox()->currentIndex(), 0);
    pickCopier(1);
    pickCopier(0);
    openPath(romPath);
    typeInto(form1.get(), "InternalROMNameTXT", "AB");
    trigger("mnuSave");
    EXPECT_EQ(fileBytes().left(12), rom.bytes().left(12));
    EXPECT_EQ(fileBytes().mid(0x101C0, 3), "AB ");

    // Index 4 writes no header either.
    pickCopier(4);
    trigger("mnuSave");
    EXPECT_EQ(fileBytes().left(12), rom.bytes().left(12));

    // Index 0 picked by hand writes zeros and, alone, warns. A character
    // save's stamp falling due while the warning is shown is a step of its own.
    effects.msPerSecond = 1000;
    QWidget* form3 = openCharacterEditor();
    typeInto(form3, "STRTXT", "77");
    clickOn(form3, "SaveCMD");
    form3->close();
    QByteArray saved;
    effects.onMessage = [&](const FakeSideEffects::Message&) {
        saved = fileBytes();
        form1->session().pendingStamp().schedule(0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form1->session().pendingStamp().isPending(); }));
    };
    pickCopier(0);
    trigger("mnuSave");
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "&Undo Stamp");
    trigger("mnuUndo");
    EXPECT_EQ(fileBytes(), saved);
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "&Undo Save ROM");
    trigger("mnuRedo");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(effects.messages[0].text,
              "With this setting the ROM may not work in a Super Wild Card or Super MagiCom copier machine to "
              "play.\r\nPlease use the Super Wild Card or Super MagiCom header if you wish to play this ROM in a "
              "copier machine.");
    EXPECT_EQ(fileBytes().left(12), QByteArray(12, '\0'));
}

TEST_F(MainWindowTest, ReadmeAndHomePageOpenTheReadmeBesideTheProgramAndAboutIsModal)
{
    // Run from the build tree: the sources' readme.
    trigger("mnuReadme");
    clickToolButton("URL");
    ASSERT_EQ(effects.openedUrls.size(), 2u);
    EXPECT_TRUE(readFile(effects.openedUrls[0].toLocalFile()).startsWith("# Zorvek Multi Editor"));
    EXPECT_EQ(effects.openedUrls[1], effects.openedUrls[0]);

    // Installed: the copy in the doc folder next to the program's folder.
    const QString installed = tempPath("share/doc/zorvek-multi-editor/README.md");
    ASSERT_TRUE(QDir().mkpath(QFileInfo(installed).path()) && RomFixture(1).writeTo(installed));
    effects.folder = tempPath("bin");
    trigger("mnuReadme");
    EXPECT_EQ(effects.openedUrls.back(), QUrl::fromLocalFile(installed));

    effects.openUrlSucceeds = false;
    trigger("mnuReadme");
    trigger("mnuURL");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(effects.messages[0].text,
              "You must be connected to the internet in order to read the readme online.\r\n"
              "Please feel free to read the readme packaged with this editor.");

    // About is modal, with this release's version.
    trigger("mnuAbout");
    AboutDialog* about = nullptr;
    QTRY_VERIFY((about = form1->findChild<AboutDialog*>("About")) != nullptr && about->isVisible());
    EXPECT_TRUE(about->isModal());
    EXPECT_EQ(find<QLabel>(about, "lblVersion")->text(), "Version: 0.65");
    QTest::mouseClick(find<QPushButton>(about, "cmdOK"), Qt::LeftButton);
    QTRY_COMPARE(form1->findChild<AboutDialog*>("About"), nullptr);
}

TEST_F(MainWindowTest, NoRightClickMenuHidesAToolbarCtrlCCopiesOrClosesAndTheCloseBoxEnds)
{
    openImage(RomFixture::standard());
    QWidget* toolbar2 = find<QWidget>("Toolbar2");
    for (QWidget* bar : {static_cast<QWidget*>(form1->menuBar()), find<QWidget>("Toolbar1"), toolbar2}) {
        const QPoint at(bar->width() - 2, bar->height() / 2);
        QContextMenuEvent rightClick(QContextMenuEvent::Mouse, at, bar->mapToGlobal(at));
        QApplication::sendEvent(bar, &rightClick);
        if (QWidget* popup = QApplication::activePopupWidget()) {
            ADD_FAILURE() << "a menu over " << bar->objectName().toStdString();
            popup->close();
        }
    }
    EXPECT_TRUE(toolbar2->isVisible());

    // Ctrl+C copies in the name box and closes the image elsewhere.
    form1->activateWindow(); // shortcuts go to the active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    nameBox()->setFocus();
    nameBox()->setSelection(0, 6);
    QTest::keyClick(nameBox(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "KELVAR");
    EXPECT_TRUE(form1->isLoaded());

    copierBox()->setFocus();
    QTest::keyClick(copierBox(), Qt::Key_C, Qt::ControlModifier);
    expectNotLoaded(0);
    openPath(romPath);
    form1->close();
    EXPECT_EQ(effects.endedWith, 0);
    EXPECT_FALSE(form1->session().rom().isOpen());
}

} // namespace
