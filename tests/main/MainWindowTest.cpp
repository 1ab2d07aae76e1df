#include "main/About.h"
#include "support/GuiTestBase.h"
#include "support/MemoryImage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolBar>

using namespace zorvek;
using namespace zorvek::test;

namespace {

const QString kNotLoaded = QStringLiteral("Zorvek ROM not loaded...");

class MainWindowTest : public GuiTestBase {
protected:
    QLineEdit* nameBox() { return find<QLineEdit>("InternalROMNameTXT"); }
    QComboBox* copierBox() { return find<QComboBox>("CopierTypeCBO"); }

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
    EXPECT_EQ(copierBox()->count(), 5);
    EXPECT_EQ(copierBox()->itemText(1), "Super MagicCom");
    EXPECT_FALSE(find<QAction>("mnuHelp")->isEnabled());
    EXPECT_EQ(find<QAction>("mnuClose")->text(), "&Close ROM");
    EXPECT_EQ(find<QAction>("mnuClose")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
    EXPECT_EQ(find<QAction>("mnuAbout")->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(find<QAction>("mnuURL")->text(), "Goto Quenmark-Soft");
    EXPECT_EQ(find<QAction>("Save")->toolTip(), "Save - Feature not coded.");
    EXPECT_EQ(find<QAction>("Open")->toolTip(), "Displays Open File dialog box.");
    EXPECT_EQ(find<QMenu>("mnuDefault1")->menuAction()->isVisible(), true);
    for (const char* key : {"Open", "Save", "Config", "URL", "Characters", "Monsters"})
        EXPECT_NE(form1->findChild<QWidget*>(key), nullptr) << key;
}

TEST_F(MainWindowTest, OpenShowsNameAndCopierTypeAndEnablesTheEditors)
{
    openImage(RomFixture::standard().copierHeader(2).internalName("KELVARNTHOSIA 5"));
    EXPECT_EQ(effects.lastSelectedFilter, "Super MagiCom ROM File (*.smc)");
    EXPECT_EQ(effects.lastFilters.size(), 4);
    EXPECT_EQ(nameBox()->text(), "KELVARNTHOSIA 5      ");
    EXPECT_TRUE(nameBox()->isEnabled());
    EXPECT_EQ(copierBox()->currentIndex(), 2);
    EXPECT_TRUE(copierBox()->isEnabled());
    EXPECT_TRUE(find<QToolBar>("Toolbar2")->isEnabled());
    EXPECT_TRUE(find<QAction>("mnuSave")->isEnabled());
    EXPECT_TRUE(effects.messages.empty());
    EXPECT_FALSE(effects.endedWith.has_value());

    // A cancelled dialog keeps the open image.
    effects.openAnswers.push_back(std::nullopt);
    clickToolButton("Open");
    EXPECT_EQ(effects.openDialogCount, 2);
    EXPECT_TRUE(form1->rom().isOpen());
    EXPECT_TRUE(find<QToolBar>("Toolbar2")->isEnabled());
}

TEST_F(MainWindowTest, UnopenableFileFallsBackToNotLoadedAndSaysWhy)
{
    openImage(RomFixture::standard());
    openPath(tempPath("no such file.smc"));
    expectNotLoaded(0);
    EXPECT_FALSE(form1->rom().isOpen());
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(effects.messages[0].text.contains("no such file.smc"));
    EXPECT_FALSE(effects.endedWith.has_value());

    openPath(tempPath(""));  // the folder itself
    expectNotLoaded(0);
    EXPECT_EQ(effects.messages.size(), 2u);
}

TEST_F(MainWindowTest, WrongImageEndsTheProgramAndLeavesTheFileAlone)
{
    for (const RomFixture& rom : {RomFixture::standard().checkWord(0x1879), RomFixture(0), RomFixture(513),
                                  RomFixture(0x300).bytesAt(0, QByteArray::fromHex("7818"))}) {
        effects.messages.clear();
        effects.endedWith.reset();
        openImage(rom);
        ASSERT_EQ(effects.messages.size(), 1u);
        EXPECT_EQ(effects.messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(effects.messages[0].text,
                  "You must load the correct Zorvek ROM file.  Application will now close.");
        EXPECT_EQ(effects.endedWith, 1);
        EXPECT_FALSE(form1->rom().isOpen());
        EXPECT_EQ(fileBytes(), rom.bytes());
        // Ending closes the main window; that must not turn into a second ending.
        form1->close();
        EXPECT_EQ(effects.endedWith, 1);
        form1 = std::make_unique<Form1>(effects);
        form1->show();
    }
}

TEST_F(MainWindowTest, ToolbarSaveWithoutAnImageOnlyComplains)
{
    clickToolButton("Save");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(effects.messages[0].text, "You need to load your Zorvek ROM to continue.");
    clickToolButton("Config");
    find<QAction>("mnuHelp")->trigger();
    EXPECT_EQ(effects.messages.size(), 1u);
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
    // So do a drop and a paste; a longer name pasted over the whole text is cut to fit.
    dropOnto(nameBox(), "XYZ");
    nameBox()->selectAll();
    pasteInto(nameBox(), "KELVARNTHOSIA 5 and more");
    EXPECT_EQ(nameBox()->text(), "KELVARNTHOSIA 5 and m");

    // Close ROM drops the edits and returns to not loaded, with index 0 this time.
    trigger("mnuClose");
    expectNotLoaded(0);
    EXPECT_EQ(fileBytes(), rom.bytes());
    trigger("mnuClose");  // again, with nothing open
    expectNotLoaded(0);
}

TEST_F(MainWindowTest, SaveRomWritesStampThenNameThenHeader)
{
    const RomFixture rom = RomFixture::standard().fillRandom(9).copierHeader(0).checkWord(0x1878);
    openImage(rom);
    copierBox()->setCurrentIndex(3);
    typeInto(form1.get(), "InternalROMNameTXT", "AB");

    MemoryDevice* device = attachMemory(form1->rom(), rom.bytes(), -1, {}, romPath);
    trigger("mnuSave");
    EXPECT_EQ(device->writeOffsets, (std::vector<qint64>{0x60, 0x101C0, 0x101C0, 0x0, 0x4, 0x8}));
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(MainWindowTest, SaveRomChangesExactlyStampNameAndHeaderBytes)
{
    const RomFixture rom = RomFixture::standard().fillRandom(21).copierHeader(1).checkWord(0x1878);
    openImage(rom);
    typeInto(form1.get(), "InternalROMNameTXT", "AB");
    copierBox()->setCurrentIndex(2);
    clickToolButton("Save");

    const QByteArray after = fileBytes();
    const QString stampText = "Zorvek Multi Editor | 0.65 | 12/5/02, 4:37:57 PM";
    EXPECT_EQ(after.mid(0x60, stampText.size()), stampText.toLatin1());
    EXPECT_EQ(after.mid(0x101C0, 21), QByteArray("AB").leftJustified(21, ' '));
    EXPECT_EQ(after.left(12).toHex(), "8000040000000000aabb0400");
    QByteArray expected = rom.bytes();
    expected.replace(0, 12, after.left(12));
    expected.replace(0x60, stampText.size(), stampText.toLatin1());
    expected.replace(0x101C0, 21, after.mid(0x101C0, 21));
    EXPECT_EQ(after, expected);
    EXPECT_TRUE(effects.messages.empty());

    // Reopening shows what was saved.
    openPath(romPath);
    EXPECT_EQ(copierBox()->currentIndex(), 2);
    EXPECT_EQ(nameBox()->text(), QString("AB").leftJustified(21, ' '));
}

TEST_F(MainWindowTest, HeaderIndexZeroWarnsAndIndexFourWritesNoHeader)
{
    const RomFixture rom = RomFixture::standard().fillRandom(4).copierHeader(3).checkWord(0x1878);
    openImage(rom);
    copierBox()->setCurrentIndex(4);
    trigger("mnuSave");
    EXPECT_TRUE(effects.messages.empty());
    EXPECT_EQ(fileBytes().left(12), rom.bytes().left(12));
    EXPECT_NE(fileBytes().mid(0x60, 19), rom.bytes().mid(0x60, 19));

    copierBox()->setCurrentIndex(0);
    trigger("mnuSave");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(effects.messages[0].text,
              "With this setting the ROM may not work in a Super Wild Card or Super MagiCom copier machine to "
              "play.\r\nPlease use the Super Wild Card or Super MagiCom header if you wish to play this ROM in a "
              "copier machine.");
    EXPECT_EQ(fileBytes().left(12), QByteArray(12, '\0'));
}

TEST_F(MainWindowTest, FailedSaveIsReportedNotHidden)
{
    openImage(RomFixture::standard());
    attachMemory(form1->rom(), fileBytes(), 0, QStringLiteral("Read-only file system"), romPath);
    trigger("mnuSave");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(effects.messages[0].text.contains("Read-only file system"));
    EXPECT_TRUE(effects.messages[0].text.contains("game.smc"));
    EXPECT_FALSE(effects.endedWith.has_value());
}

TEST_F(MainWindowTest, ReadmeAndHomePageGoThroughTheBrowser)
{
    trigger("mnuReadme");
    clickToolButton("URL");
    ASSERT_EQ(effects.openedUrls.size(), 2u);
    EXPECT_TRUE(effects.openedUrls[0].toString().endsWith("readme.txt"));
    EXPECT_TRUE(effects.messages.empty());

    effects.openUrlSucceeds = false;
    trigger("mnuReadme");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(effects.messages[0].text,
              "You must be connected to the internet in order to read the readme online.\r\n"
              "Please feel free to read the readme packaged with this editor.");
    trigger("mnuURL");
    EXPECT_EQ(effects.messages.size(), 1u);
}

TEST_F(MainWindowTest, AboutBoxShowsTitleVersionAndDescription)
{
    trigger("mnuAbout");
    About* about = nullptr;
    QTRY_VERIFY((about = form1->findChild<About*>("About")) != nullptr && about->isVisible());
    EXPECT_TRUE(about->isModal());
    EXPECT_EQ(about->windowTitle(), "About");
    EXPECT_EQ(find<QLabel>(about, "lblTitle")->text(), "Kelvarnthosia 5 Multi Editor");
    EXPECT_EQ(find<QLabel>(about, "lblVersion")->text(), "Version: 0.65");
    EXPECT_TRUE(find<QLabel>(about, "lblDescription")
                    ->text()
                    .startsWith("This program edits the Zorvek ROM file in various ways.  \r\n\r\n"));
    EXPECT_FALSE(find<QLabel>(about, "lblDisclaimer")->text().isEmpty());
    QTest::mouseClick(find<QPushButton>(about, "cmdOK"), Qt::LeftButton);
    QTRY_COMPARE(form1->findChild<About*>("About"), nullptr);
}

TEST_F(MainWindowTest, QuitAndTheCloseBoxEndTheProgramAndCloseTheFile)
{
    openImage(RomFixture::standard());
    form1->close();
    EXPECT_EQ(effects.endedWith, 0);
    EXPECT_FALSE(form1->rom().isOpen());
}

} // namespace
