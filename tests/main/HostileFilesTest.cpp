#include "characters/Form3.h"
#include "main/InternalName.h"
#include "monsters/Form2.h"
#include "support/GuiTestBase.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QToolBar>

using namespace zorvek;
using namespace zorvek::test;

namespace {

class HostileFilesTest : public GuiTestBase {
protected:
    bool loaded() { return find<QToolBar>("Toolbar2")->isEnabled() && form1->rom().isOpen(); }
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
    auto* hp = find<QLineEdit>(form2, "HPTXT");
    EXPECT_EQ(hp->text(), "0");
    hp->setFocus();
    hp->selectAll();
    QTest::keyClicks(hp, "321");
    QTest::mouseClick(find<QWidget>(form2, "SaveCMD"), Qt::LeftButton);
    EXPECT_EQ(fileBytes(), cut);
    ASSERT_EQ(effects.messages.size(), 2u);
    EXPECT_TRUE(effects.messages[1].text.contains("too short"));
    EXPECT_FALSE(find<QLabel>(form2, "InfoLBL")->text().contains("has been saved"));

    // Removed behind the editor's back: the open handle still works; nothing crashes.
    ASSERT_TRUE(QFile::remove(romPath));
    find<QListWidget>(form2, "MonsterList")->setCurrentRow(10);
    QTest::mouseClick(find<QWidget>(form2, "SaveCMD"), Qt::LeftButton);
    form2->close();
    trigger("mnuSave");
    trigger("mnuClose");
    EXPECT_FALSE(loaded());
}

} // namespace
