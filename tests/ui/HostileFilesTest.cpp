#include "ui/characters/CharacterEditor.h"
#include "core/header/InternalName.h"
#include "core/image/PendingStamp.h"
#include "ui/monsters/MonsterEditor.h"
#include "support/GuiTestBase.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSaveFile>
#include <QScrollBar>
#include <QToolBar>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;

namespace {

class HostileFilesTest : public GuiTestBase {
protected:
    bool loaded() { return find<QToolBar>("Toolbar2")->isEnabled() && form1->session().rom().isOpen(); }
};

TEST_F(HostileFilesTest, ImageEndingInsideTheMonsterTableShowsZerosBeyondItsEnd)
{
    // Ends in the middle of record 10's hit points.
    RomFixture cut(0x100200 + 32 * 10 + 9);
    cut.copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    cut.monsterWord(3, 8, 1234);
    openImage(cut);
    ASSERT_TRUE(loaded());
    clickToolButton("Monsters");
    QWidget* form2 = form1->monsterEditor();
    ASSERT_NE(form2, nullptr);
    auto* list = find<QListWidget>(form2, "MonsterList");
    list->setCurrentRow(3);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "1234");
    list->setCurrentRow(10);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), QString::number(cut.bytes().at(0x100200 + 32 * 10 + 8)));
    list->setCurrentRow(200);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "0");
    form2->close();

    clickToolButton("Characters");
    QWidget* form3 = form1->characterEditor();
    ASSERT_NE(form3, nullptr);
    find<QScrollBar>(form3, "Scroll")->setValue(3);
    EXPECT_EQ(find<QLineEdit>(form3, "LevelTXT")->text(), "0");
    form3->close();
    EXPECT_EQ(fileBytes(), cut.bytes());
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(HostileFilesTest, UnreadableFileIsNotOpenedAndSaysSo)
{
    romPath = tempPath("locked.smc");
    ASSERT_TRUE(RomFixture::standard().writeTo(romPath));
    QFile::setPermissions(romPath, QFileDevice::Permissions());
    QFile probe(romPath);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "running with rights that ignore file permissions";
    openPath(romPath);
    EXPECT_FALSE(loaded());
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_TRUE(effects.messages[0].text.contains("locked.smc"));
}

TEST_F(HostileFilesTest, PathsWithSpacesNonAsciiAndLinksWork)
{
    ASSERT_TRUE(QDir(tempPath("")).mkpath(QStringLiteral("my röms ゲーム")));
    const QString odd = tempPath(QStringLiteral("my röms ゲーム/Kelvarnthosia (ü) 5.smc"));
    openImage(RomFixture::standard(), QStringLiteral("my röms ゲーム/Kelvarnthosia (ü) 5.smc"));
    ASSERT_TRUE(loaded());
    trigger("mnuSave");
    EXPECT_TRUE(effects.messages.empty());
    EXPECT_TRUE(readFile(odd).mid(0x60).startsWith("Zorvek Multi Editor | 0.65 | "));

    // A link is followed: the write lands in the file it points to.
    const QString target = tempPath("target.smc");
    const QString link = tempPath("link.smc");
    ASSERT_TRUE(RomFixture::standard().writeTo(target));
    if (!QFile::link(target, link))
        GTEST_SKIP() << "symbolic links not available";
    openPath(link);
    ASSERT_TRUE(loaded());
    trigger("mnuSave");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(readFile(target).mid(0x60).startsWith("Zorvek Multi Editor | 0.65 | "));
}

TEST_F(HostileFilesTest, FileTruncatedOrRemovedWhileOpenNeitherCrashesNorLies)
{
    openImage(RomFixture::standard());
    ASSERT_TRUE(loaded());
    ASSERT_TRUE(QFile::resize(romPath, 0x300));

    // The internal name no longer fits: the save says so instead of growing the
    // file with a megabyte of zeros, and writes no stamp either.
    const QByteArray cut = fileBytes();
    trigger("mnuSave");
    EXPECT_EQ(fileBytes(), cut);
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(effects.messages[0].text.contains("too short"));

    // The monster editor on the cut file: loads read zeros, a save is refused aloud.
    clickToolButton("Monsters");
    QWidget* form2 = form1->monsterEditor();
    ASSERT_NE(form2, nullptr);
    find<QListWidget>(form2, "MonsterList")->setCurrentRow(9);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "0");
    typeInto(form2, "HPTXT", "321");
    QTest::mouseClick(find<QWidget>(form2, "SaveCMD"), Qt::LeftButton);
    EXPECT_EQ(fileBytes(), cut);
    ASSERT_EQ(effects.messages.size(), 2u);
    EXPECT_TRUE(effects.messages[1].text.contains("too short"));
    EXPECT_FALSE(find<QLabel>(form2, "InfoLBL")->text().contains("has been saved"));

    // Removed behind the editor's back: the save is refused aloud, nothing
    // brings the file back.
    form2->close();
    ASSERT_TRUE(QFile::remove(romPath));
    trigger("mnuSave");
    ASSERT_EQ(effects.messages.size(), 3u);
    EXPECT_TRUE(effects.messages[2].text.contains("replaced or removed"));
    EXPECT_FALSE(QFile::exists(romPath));
    trigger("mnuClose");
    EXPECT_FALSE(loaded());
}

TEST_F(HostileFilesTest, ImageReplacedOnDiskIsNeverWrittenUntilOpenedAgain)
{
    effects.msPerSecond = 100;  // the character save's stamp falls due after a second
    openImage(RomFixture::standard());
    clickToolButton("Characters");
    QWidget* form3 = form1->characterEditor();
    ASSERT_NE(form3, nullptr);
    typeInto(form3, "STRTXT", "77");
    QTest::mouseClick(find<QWidget>(form3, "SaveCMD"), Qt::LeftButton);
    ASSERT_TRUE(form1->session().pendingStamp().isPending());

    // A patcher writes a new file and renames it over the image.
    const QByteArray onDisk = fileBytes();
    QSaveFile replacement(romPath);
    ASSERT_TRUE(replacement.open(QIODevice::WriteOnly));
    replacement.write(onDisk);
    ASSERT_TRUE(replacement.commit());

    auto expectRefused = [&](size_t count) {
        ASSERT_EQ(effects.messages.size(), count);
        const auto& [icon, text] = effects.messages.back();
        EXPECT_TRUE(icon == MessageIcon::Exclamation && text.contains(QDir::toNativeSeparators(romPath)) &&
                    text.contains("replaced or removed")) << text.toStdString();
        EXPECT_EQ(fileBytes(), onDisk);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !effects.messages.empty(); }, 5000)) << "the due stamp";
    expectRefused(1);
    QTest::mouseClick(find<QWidget>(form3, "SaveCMD"), Qt::LeftButton);
    expectRefused(2);
    EXPECT_EQ(find<QLineEdit>(form3, "STRTXT")->text(), "77");
    form3->close();

    clickToolButton("Monsters");
    QWidget* form2 = form1->monsterEditor();
    ASSERT_NE(form2, nullptr);
    typeInto(form2, "HPTXT", "321");
    QTest::mouseClick(find<QWidget>(form2, "SaveCMD"), Qt::LeftButton);
    expectRefused(3);
    EXPECT_EQ(find<QLineEdit>(form2, "HPTXT")->text(), "321");
    form2->close();

    typeInto(form1.get(), "InternalROMNameTXT", "AB");
    trigger("mnuSave");
    expectRefused(4);
    EXPECT_EQ(find<QLineEdit>("InternalROMNameTXT")->text(), "AB");
    // Nor do undo and the checksum fix; the save stays to be undone.
    trigger("mnuUndo");
    expectRefused(5);
    trigger("mnuFixChecksum");
    expectRefused(6);
    EXPECT_EQ(find<QAction>("mnuUndo")->text(), "Undo Save of Character 0");

    // Opened again, it is the file the user sees, with nothing to undo.
    openPath(romPath);
    EXPECT_FALSE(find<QAction>("mnuUndo")->isEnabled());
    trigger("mnuSave");
    EXPECT_EQ(effects.messages.size(), 6u);
    EXPECT_NE(fileBytes(), onDisk);
}

} // namespace
