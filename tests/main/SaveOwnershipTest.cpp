// Saves from all three windows on one random image and checks every byte of
// the file: only the bytes each save owns may change.

#include "characters/Form3.h"
#include "main/PendingStamp.h"
#include "monsters/Form2.h"
#include "support/GuiTestBase.h"

#include <QComboBox>
#include <QListWidget>
#include <QScrollBar>

#include <set>

using namespace zorvek;
using namespace zorvek::test;

namespace {

class SaveOwnershipTest : public GuiTestBase {};

TEST_F(SaveOwnershipTest, EachWindowChangesOnlyTheBytesItOwns)
{
    const int monster = 77, slot = 2;
    const RomFixture rom = RomFixture::standard().fillRandom(1234).copierHeader(3).checkWord(0x1878);
    openImage(rom);
    std::set<qint64> allowed;
    const auto allow = [&](qint64 offset, std::initializer_list<int> ks, int width = 1) {
        for (int k : ks)
            for (int i = 0; i < width; ++i)
                allowed.insert(offset + k + i);
    };

    // Main window: stamp (its length follows the locale), header words, internal name.
    typeInto(form1.get(), "InternalROMNameTXT", "KELVARNTHOSIA V");
    find<QComboBox>("CopierTypeCBO")->setCurrentIndex(2);
    trigger("mnuSave");
    allow(0x60, {0}, 0x1A0);
    allow(0, {0}, 12);
    allow(0x101C0, {0}, 21);

    clickToolButton("Monsters");
    QWidget* editor = form1->monsterEditor();
    find<QListWidget>(editor, "MonsterList")->setCurrentRow(monster);
    typeInto(editor, "HPTXT", "4321");
    QTest::mouseClick(find<QWidget>(editor, "SaveCMD"), Qt::LeftButton);
    allow(RomFixture::monster(monster, 0), {0, 1, 2, 3, 4, 6, 7, 16, 21, 23, 25, 28, 29, 31});
    allow(RomFixture::monster(monster, 0), {8, 12, 14}, 2);
    QTest::mouseClick(find<QWidget>(editor, "CancelCMD"), Qt::LeftButton);

    clickToolButton("Characters");
    editor = form1->characterEditor();
    find<QScrollBar>(editor, "Scroll")->setValue(slot);
    typeInto(editor, "STRTXT", "77");
    QTest::mouseClick(find<QWidget>(editor, "SaveCMD"), Qt::LeftButton);
    allow(RomFixture::character(slot, 0), {2, 14, 15, 16, 19, 20, 22, 23, 24, 25, 36, 37, 38, 39});
    allow(RomFixture::character(slot, 0), {6, 8, 10, 12}, 2);
    QTest::mouseClick(find<QWidget>(editor, "CancelCMD"), Qt::LeftButton);
    QTRY_VERIFY(!form1->pendingStamp().isPending());

    const QByteArray after = fileBytes();
    ASSERT_EQ(after.size(), rom.bytes().size());
    int stray = 0;
    for (qint64 i = 0; i < after.size(); ++i)
        if (rom.bytes()[i] != after[i] && !allowed.count(i) && ++stray <= 5)
            ADD_FAILURE() << "byte 0x" << std::hex << i << " changed";
    EXPECT_EQ(stray, 0);
    // And the edits themselves landed.
    EXPECT_EQ(after.mid(0x101C0, 15) + after.left(4).toHex(), "KELVARNTHOSIA V80000400");
    EXPECT_EQ(after.mid(RomFixture::monster(monster, 8), 2).toHex(), "e110");
    EXPECT_EQ(after[RomFixture::character(slot, 36)], 77);
}

} // namespace
