// Saves from all three windows on one random image and checks every byte of
// the file: only the bytes each save owns may change.

#include "characters/Form3.h"
#include "main/PendingStamp.h"
#include "monsters/Form2.h"
#include "support/GuiTestBase.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

#include <set>

using namespace zorvek;
using namespace zorvek::test;

namespace {

class SaveOwnershipTest : public GuiTestBase {
protected:
    void allow(qint64 offset, int count)
    {
        for (int i = 0; i < count; ++i)
            allowed.insert(offset + i);
    }

    std::set<qint64> allowed;
};

TEST_F(SaveOwnershipTest, EachWindowChangesOnlyTheBytesItOwns)
{
    const int monster = 77;
    const int slot = 2;
    RomFixture rom = RomFixture::standard().fillRandom(1234).copierHeader(3).checkWord(0x1878);
    // Words below the caps, so an unedited field round-trips unchanged.
    rom.monsterWord(monster, 8, 1000).monsterWord(monster, 12, 2000).monsterWord(monster, 14, 3000);
    for (int k : {6, 8, 10, 12})
        rom.characterWord(slot, k, 500);
    rom.characterByte(slot, 2, 40);
    for (int k : {22, 23, 24, 25})
        rom.characterByte(slot, k, 0x10 + k);
    effects.msPerSecond = 1;
    openImage(rom);

    // Main window: stamp, internal name, copier header.
    typeInto(form1.get(), "InternalROMNameTXT", "KELVARNTHOSIA V");
    find<QComboBox>("CopierTypeCBO")->setCurrentIndex(2);
    trigger("mnuSave");
    allow(0x60, 0x1A0);   // the stamp's room; its length follows the locale
    allow(0x000, 12);     // header words
    allow(0x101C0, 21);   // internal name

    // Monster editor: stamp, then the record's writable fields.
    clickToolButton("Monsters");
    QWidget* form2 = form1->monsterEditor();
    ASSERT_NE(form2, nullptr);
    find<QListWidget>(form2, "MonsterList")->setCurrentRow(monster);
    typeInto(form2, "HPTXT", "4321");
    typeInto(form2, "STRTXT", "99");
    QTest::mouseClick(find<QPushButton>(form2, "SaveCMD"), Qt::LeftButton);
    const qint64 record = 0x100200 + 32 * monster;
    for (int k : {0, 1, 2, 3, 4, 6, 7, 16, 21, 23, 25, 28, 29, 31})
        allow(record + k, 1);
    allow(record + 8, 2);
    allow(record + 12, 2);
    allow(record + 14, 2);
    QTest::mouseClick(find<QPushButton>(form2, "CancelCMD"), Qt::LeftButton);
    QTRY_VERIFY(form1->isVisible());

    // Character editor: the slot's writable fields, then the stamp.
    clickToolButton("Characters");
    QWidget* form3 = form1->characterEditor();
    ASSERT_NE(form3, nullptr);
    find<QScrollBar>(form3, "Scroll")->setValue(slot);
    typeInto(form3, "STRTXT", "77");
    typeInto(form3, "CHPTXT", "123");
    QTest::mouseClick(find<QPushButton>(form3, "SaveCMD"), Qt::LeftButton);
    const qint64 base = 0x117200 + 0x50 * slot;
    for (int k : {2, 14, 15, 16, 19, 20, 22, 23, 24, 25, 36, 37, 38, 39})
        allow(base + k, 1);
    for (int k : {6, 8, 10, 12})
        allow(base + k, 2);
    QTest::mouseClick(find<QPushButton>(form3, "CancelCMD"), Qt::LeftButton);
    QTRY_VERIFY(!form1->pendingStamp().isPending());

    const QByteArray after = fileBytes();
    const QByteArray& before = rom.bytes();
    ASSERT_EQ(after.size(), before.size());
    int stray = 0;
    for (qint64 i = 0; i < before.size(); ++i)
        if (before[i] != after[i] && !allowed.count(i) && ++stray <= 5)
            ADD_FAILURE() << "byte 0x" << std::hex << i << " changed";
    EXPECT_EQ(stray, 0);

    // And the edits themselves landed.
    EXPECT_EQ(after.mid(0x101C0, 15), QByteArray("KELVARNTHOSIA V"));
    EXPECT_EQ(after.left(4).toHex(), "80000400");
    EXPECT_EQ(static_cast<uint8_t>(after[record + 8]) | static_cast<uint8_t>(after[record + 9]) << 8, 4321);
    EXPECT_EQ(static_cast<uint8_t>(after[record + 1]), 99);
    EXPECT_EQ(static_cast<uint8_t>(after[base + 36]), 77);
    EXPECT_EQ(static_cast<uint8_t>(after[base + 6]), 123);
    EXPECT_TRUE(after.mid(0x60).startsWith("Zorvek Multi Editor | 0.65 | "));
}

} // namespace
