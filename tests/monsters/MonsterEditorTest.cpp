#include "data/Artwork.h"
#include "data/GameData.h"
#include "main/EditorStamp.h"
#include "monsters/MonsterEntryRules.h"
#include "MonsterEditorTestBase.h"

#include <QApplication>
#include "support/MemoryImage.h"
#include <QClipboard>
#include <QTabBar>

#include <algorithm>

using namespace zorvek;
using namespace zorvek::test;

namespace {

const QString kWarning = QString::fromLatin1(monsters::rules::kAttackWarning);

RomFixture randomImage(uint32_t seed)
{
    RomFixture rom = RomFixture::standard().fillRandom(seed);
    rom.copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    return rom;
}

// A quiet record 0 and 1: words below the cap, attack animations in the list.
RomFixture quietImage(uint32_t seed)
{
    RomFixture rom = randomImage(seed);
    for (int record : {0, 1, 2}) {
        rom.monsterWord(record, 8, 1200).monsterWord(record, 12, 300).monsterWord(record, 14, 80);
        rom.monsterByte(record, 16, static_cast<uint8_t>(40 + record));
    }
    return rom;
}

QByteArray withStamp(QByteArray image, const QDateTime& when)
{
    const QByteArray stampBytes = stamp::text(when).toLatin1();
    image.replace(0x60, stampBytes.size(), stampBytes);
    return image;
}

QImage pictureOf(const QLabel* label)
{
    return label->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage attackPicture(int index)
{
    return QPixmap::fromImage(data::attackAnimationPicture(index)).toImage().convertToFormat(QImage::Format_ARGB32);
}

class MonsterEditorTest : public MonsterEditorTestBase {
protected:
    size_t warnings() const
    {
        return static_cast<size_t>(std::count_if(effects.messages.begin(), effects.messages.end(), [](const auto& m) {
            return m.icon == MessageIcon::Exclamation && m.text == kWarning;
        }));
    }
};

} // namespace

// ---------------------------------------------------------------------------
// Opening, selecting, closing

TEST_F(MonsterEditorTest, OpensFromTheMainWindowShowingMonsterZero)
{
    openEditor(quietImage(1).monsterWord(0, 8, 0x1234).monsterWord(0, 10, 0x8000).monsterWord(0, 12, 0xFFFF));
    EXPECT_FALSE(form1->isVisible());
    EXPECT_EQ(editor->windowTitle(), "Monster Editor: KELVARNTHOSIA 5      ");
    ASSERT_EQ(monsterList()->count(), 256);
    EXPECT_EQ(monsterList()->currentRow(), 0);
    EXPECT_TRUE(monsterList()->item(0)->isSelected());
    EXPECT_EQ(monsterList()->item(228)->text(), "????");
    EXPECT_EQ(monsterList()->item(255)->text(), "(No name)");
    EXPECT_EQ(control<QLabel>("MonsterListIndexLBL")->text(), "1");
    EXPECT_EQ(box("HPTXT")->text(), "4660");
    EXPECT_EQ(box("MPTXT")->text(), "32768");
    EXPECT_EQ(box("EXPTXT")->text(), "65500");
    EXPECT_FALSE(box("MPTXT")->isEnabled());
    // Its own animation, not entry 0.
    EXPECT_EQ(box("AttackIndexTXT")->text(), "40");
    EXPECT_EQ(control<QComboBox>("AttackIndexCBO")->currentIndex(), 40);
    EXPECT_EQ(pictureOf(control<QLabel>("AttackIndexGFX")), attackPicture(40));
    EXPECT_EQ(control<QLabel>("LockLBL")->text(), "Monster Editor");
    EXPECT_EQ(info(), "");
    EXPECT_EQ(control<QLabel>("EXPLBL")->text(), "Experience:   ");
    EXPECT_EQ(control<QCheckBox>("HideHPCHK")->text(), "Hide HP from Scan \"???\?/????\"");
    auto* tabs = control<QTabBar>("TabStrip1");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabData(1).toString(), "Item");
    EXPECT_EQ(control<QListWidget>("WeakLST")->count(), 24);
    EXPECT_EQ(control<QComboBox>("AttackIndexCBO")->count(), 208);
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(MonsterEditorTest, EveryCaptionListTextAndBoxLimitIsTheWindowsOwn)
{
    openEditor(quietImage(18));
    const std::pair<const char*, const char*> labels[] = {
        {"NameIndexLBL", "Name Index:"}, {"LevelLBL", "Level:"},          {"HPLBL", "Hit Points:"},
        {"MPLBL", "Magic Points:"},      {"EXPLBL", "Experience:   "},    {"GilLBL", "Gil:"},
        {"STRLBL", "Strength:"},         {"AGILBL", "Agility:"},          {"DEFLBL", "Defense:"},
        {"EvadeLBL", "Evade %:"},        {"MagicPowerLBL", "Magic Power:"}, {"UnknownLBL", "Unknown:"},
        {"Label8", "Attack Index:"},     {"Label12", "Graphic Animation:"}, {"Label9", "Elemental Data:"},
        {"Label10", "Status Data:"},     {"Label11", "Special/Battle Attributes:"}};
    for (const auto& [name, text] : labels)
        EXPECT_EQ(control<QLabel>(name)->text(), text) << name;
    EXPECT_EQ(control<QCheckBox>("Unknown1CHK")->text(), "Unknown 1");
    EXPECT_EQ(control<QCheckBox>("Unknown2CHK")->text(), "Unknown 2");
    EXPECT_EQ(control<QPushButton>("SaveCMD")->text(), "&Save");
    EXPECT_EQ(control<QPushButton>("CancelCMD")->text(), "&Cancel");
    EXPECT_EQ(control<QPushButton>("Dump2TXT")->text(), "");
    EXPECT_EQ(control<QPushButton>("LockControlsCMD")->text(), "");
    auto* tabs = control<QTabBar>("TabStrip1");
    EXPECT_EQ(tabs->tabText(0), "Monster Statistics");
    EXPECT_EQ(tabs->tabData(0).toString(), "Stat");
    EXPECT_EQ(tabs->tabText(1), "Monster Items");

    const auto texts = [](const QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out.append(list->item(i)->text());
        return out;
    };
    const QString fire = "Fire,Ice,Bolt,Poison,Holy,Earth,";
    QStringList elemental;
    for (const QString& name : QString(fire + "Wind,Water").split(','))
        elemental.append("Weak Against: " + name);
    for (const QString& name : QString(fire + "Water,Wind").split(','))
        elemental.append("Absorb: " + name);
    for (const QString& name : QString(fire + "Water,Wind").split(','))
        elemental.append("No DMG from: " + name);
    QStringList status;
    for (const char* prefix : {"Start Battle: ", "Strong Against: "})
        for (const QString& name : QString("Mini,Toad,Stone,Death,Blind,Zombie,Poison,Float").split(','))
            status.append(prefix + name);
    EXPECT_EQ(texts(control<QListWidget>("WeakLST")), elemental);
    EXPECT_EQ(texts(control<QListWidget>("StatusConditionsLST")), status);
    EXPECT_EQ(texts(control<QListWidget>("SpAttribLST")),
              QString("HP Regen,No DMG from Weapons,Unknown,Unknown,Unknown,Unknown,Reduced DMG from Weapons,Wall")
                  .split(','));

    // What a long run of nines leaves in each box: its typing limit, then its cap.
    const std::pair<const char*, const char*> typed[] = {
        {"LevelTXT", "99"},   {"HPTXT", "65500"},  {"EXPTXT", "65500"},   {"GilTXT", "65500"},
        {"STRTXT", "255"},    {"AGITXT", "255"},   {"DEFTXT", "255"},     {"EvadeTXT", "255"},
        {"MagicPowerTXT", "255"}};
    for (const auto& [name, result] : typed) {
        retype(name, "9999999");
        EXPECT_EQ(box(name)->text(), result) << name;
        EXPECT_FALSE(box(name)->isReadOnly()) << name;
    }
    for (const char* name : {"NameIndexTXT", "UnknownTXT", "MPTXT", "AttackIndexTXT"}) {
        const QString before = box(name)->text();
        retype(name, "7");
        EXPECT_EQ(box(name)->text(), before) << name;
        EXPECT_TRUE(box(name)->isReadOnly()) << name;
    }
}

TEST_F(MonsterEditorTest, SelectingAMonsterShowsItsRecordAndDropsUnsavedEdits)
{
    const RomFixture rom = quietImage(2).monsterByte(1, 1, 77).monsterByte(255, 31, 250).monsterByte(255, 16, 3);
    openEditor(rom);
    retype("STRTXT", "12");
    selectMonster(1);
    EXPECT_EQ(control<QLabel>("MonsterListIndexLBL")->text(), "33");
    EXPECT_EQ(box("STRTXT")->text(), "77");
    selectMonster(0);
    EXPECT_EQ(box("STRTXT")->text(), QString::number(uint8_t(rom.bytes()[at(0, 1)])));
    monsterList()->setFocus();
    QTest::keyClick(monsterList(), Qt::Key_End);
    EXPECT_EQ(control<QLabel>("MonsterListIndexLBL")->text(), "8161");
    EXPECT_EQ(box("LevelTXT")->text(), "250");
    EXPECT_EQ(fileBytes(), rom.bytes());
}

TEST_F(MonsterEditorTest, TheShownMonsterStaysMarkedInTheList)
{
    openEditor(quietImage(17));
    QListWidget* list = monsterList();
    selectMonster(2);
    const QRect shown = list->visualItemRect(list->item(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, shown.center());
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(2)});

    // Below the last name, with the list taller than its entries.
    list->setFixedHeight(list->sizeHintForRow(0) * 300);
    selectMonster(255);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
    EXPECT_EQ(list->currentRow(), 255);
    EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(255)});
}

TEST_F(MonsterEditorTest, CancelAndTheCloseBoxWriteNothingAndBringTheMainWindowBack)
{
    const RomFixture rom = quietImage(3);
    openEditor(rom);
    retype("HPTXT", "999");
    QTest::mouseMove(control("Picture1"));
    click("CancelCMD");
    EXPECT_TRUE(form1->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());
    QTest::qWait(20);  // the help text's wait would have ended by now

    clickToolButton("Monsters");
    editor = form1->monsterEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(box("HPTXT")->text(), "1200");
    EXPECT_EQ(monsterList()->currentRow(), 0);
    click("LockControlsCMD");
    editor->close();  // the window's own close box
    EXPECT_TRUE(form1->isVisible());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(editor.isNull());

    clickToolButton("Monsters");
    editor = form1->monsterEditor();
    EXPECT_EQ(control<QLabel>("LockLBL")->text(), "Monster Editor");
    EXPECT_TRUE(box("NameIndexTXT")->isEnabled());
    EXPECT_EQ(fileBytes(), rom.bytes());
}

// ---------------------------------------------------------------------------
// Saving

TEST_F(MonsterEditorTest, SavingEveryRecordUneditedChangesOnlyTheStampAndCappedWords)
{
    RomFixture rom = randomImage(2024);
    rom.monsterWord(3, 8, 0xFFFF).monsterWord(4, 12, 65501).monsterWord(5, 14, 65500).monsterByte(6, 16, 208);
    openEditor(rom);

    QByteArray expected = withStamp(rom.bytes(), effects.clock);
    size_t beyondList = 0;
    for (int record = 0; record < 256; ++record) {
        for (int k : {8, 12, 14}) {
            const uint16_t word = uint8_t(rom.bytes()[at(record, k)]) | uint8_t(rom.bytes()[at(record, k + 1)]) << 8;
            if (word > 65500) {
                expected[at(record, k)] = char(0xDC);
                expected[at(record, k + 1)] = char(0xFF);
            }
        }
        if (uint8_t(rom.bytes()[at(record, 16)]) > 207)
            ++beyondList;
    }

    monsterList()->setFocus();
    for (int record = 0; record < 256; ++record) {
        if (record > 0)
            QTest::keyClick(monsterList(), Qt::Key_Down);
        ASSERT_EQ(monsterList()->currentRow(), record);
        click("SaveCMD");
    }
    EXPECT_EQ(fileBytes(), expected);
    // The warning comes with every load of a record beyond the list, and nothing else is said.
    EXPECT_EQ(warnings(), beyondList);
    EXPECT_EQ(effects.messages.size(), beyondList);
}

TEST_F(MonsterEditorTest, TypedValuesReachExactlyTheirBytes)
{
    const RomFixture rom = quietImage(4);
    openEditor(rom);
    selectMonster(1);
    retype("HPTXT", "1000");
    retype("GilTXT", "500");
    retype("EXPTXT", "65500");
    retype("STRTXT", "77");
    retype("AGITXT", "1");
    retype("DEFTXT", "025");
    retype("EvadeTXT", "99");
    retype("MagicPowerTXT", "255");
    retype("LevelTXT", "42");
    click("SaveCMD");

    QByteArray expected = withStamp(rom.bytes(), effects.clock);
    expected.replace(at(1, 8), 2, QByteArray::fromHex("e803"));
    expected.replace(at(1, 12), 2, QByteArray::fromHex("dcff"));
    expected.replace(at(1, 14), 2, QByteArray::fromHex("f401"));
    const std::pair<int, uint8_t> bytes[] = {{0, 1}, {1, 77}, {2, 255}, {3, 99}, {4, 25}, {31, 42}};
    for (const auto& [k, v] : bytes)
        expected[at(1, k)] = char(v);
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_EQ(info(), "The Stats of: " + monsterList()->item(1)->text() + " has been saved.");
}

TEST_F(MonsterEditorTest, HalvesRoundToTheEvenNeighbourOnSave)
{
    openEditor(quietImage(5));
    retype("HPTXT", "12.5");
    retype("EXPTXT", "13.5");
    retype("GilTXT", "1.2.3");
    retype("STRTXT", "2.5");
    retype("DEFTXT", "3.5");
    retype("AGITXT", ".");
    EXPECT_EQ(box("HPTXT")->text(), "12.5");
    EXPECT_EQ(box("GilTXT")->text(), "1.2.3");
    EXPECT_EQ(box("AGITXT")->text(), ".");
    click("SaveCMD");
    const QByteArray r = recordBytes(0);
    EXPECT_EQ(r.mid(8, 2), QByteArray::fromHex("0c00"));
    EXPECT_EQ(r.mid(12, 2), QByteArray::fromHex("0e00"));
    EXPECT_EQ(r.mid(14, 2), QByteArray::fromHex("0100"));
    EXPECT_EQ(uint8_t(r[1]), 2);
    EXPECT_EQ(uint8_t(r[4]), 4);
    EXPECT_EQ(uint8_t(r[0]), 0);
}

TEST_F(MonsterEditorTest, ASaveThatCannotStoreAValueWritesNothingAndNamesTheField)
{
    const RomFixture rom = quietImage(6);
    openEditor(rom);
    retype("HPTXT", "4321");
    // The attack index box takes no typing; only the program sets it.
    box("AttackIndexTXT")->setText("256");
    ASSERT_EQ(warnings(), 1u);
    const quint64 writes = form1->rom().writeCount();
    click("SaveCMD");
    EXPECT_EQ(form1->rom().writeCount(), writes);
    EXPECT_EQ(fileBytes(), rom.bytes());
    ASSERT_EQ(effects.messages.size(), 2u);
    EXPECT_EQ(effects.messages.back().icon, MessageIcon::Exclamation);
    EXPECT_TRUE(effects.messages.back().text.contains("Attack Index"));
    EXPECT_EQ(box("HPTXT")->text(), "4321");
    EXPECT_EQ(box("AttackIndexTXT")->text(), "256");
    EXPECT_EQ(info(), "");
}

TEST_F(MonsterEditorTest, AFailedWriteIsReportedAndNeverShownAsSaved)
{
    openEditor(quietImage(7));
    MemoryDevice* device = attachMemory(form1->rom(), quietImage(7).bytes(), 0, QStringLiteral("Disk full"), romPath);
    click("SaveCMD");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(effects.messages[0].text.contains("Disk full"));
    EXPECT_EQ(info(), "");
    EXPECT_EQ(device->data(), quietImage(7).bytes());
}

// ---------------------------------------------------------------------------
// Entry rules through the keyboard

TEST_F(MonsterEditorTest, KeysAreFilteredAndValuesCapped)
{
    openEditor(quietImage(8).monsterWord(2, 8, 0x8000).monsterWord(2, 14, 0xFFFF));
    retype("STRTXT", "300");
    EXPECT_EQ(box("STRTXT")->text(), "255");
    retype("STRTXT", "255");
    EXPECT_EQ(box("STRTXT")->text(), "255");
    retype("STRTXT", "1a-,x2");
    EXPECT_EQ(box("STRTXT")->text(), "12");
    retype("LevelTXT", "123");
    EXPECT_EQ(box("LevelTXT")->text(), "12");
    retype("HPTXT", "65501");
    EXPECT_EQ(box("HPTXT")->text(), "65500");
    retype("HPTXT", "65500");
    EXPECT_EQ(box("HPTXT")->text(), "65500");
    retype("DEFTXT", "025");
    EXPECT_EQ(box("DEFTXT")->text(), "025");
    retype("DEFTXT", "2.5");
    EXPECT_EQ(box("DEFTXT")->text(), "2.5");

    // Deleting everything leaves "0".
    QLineEdit* str = box("STRTXT");
    str->setFocus();
    QTest::keyClick(str, Qt::Key_End);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(str, Qt::Key_Backspace);
    EXPECT_EQ(str->text(), "0");
    // The stand-in "0" gives way to what is typed next, so nothing is cut.
    QTest::keyClicks(str, "45");
    EXPECT_EQ(str->text(), "45");
    QLineEdit* hp = box("HPTXT");
    hp->setFocus();
    hp->selectAll();
    QTest::keyClick(hp, Qt::Key_Delete);
    QTest::keyClicks(hp, "12345");
    EXPECT_EQ(hp->text(), "12345");

    // Editing and navigation keys keep working.
    retype("GilTXT", "1234");
    QLineEdit* gil = box("GilTXT");
    QTest::keyClick(gil, Qt::Key_Home);
    QTest::keyClick(gil, Qt::Key_Delete);
    QTest::keyClick(gil, Qt::Key_Right);
    QTest::keyClick(gil, Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClicks(gil, "9");
    EXPECT_EQ(gil->text(), "294");

    // Read-only boxes take nothing.
    QTest::keyClicks(box("NameIndexTXT"), "7");
    QTest::keyClicks(box("UnknownTXT"), "7");
    EXPECT_EQ(box("NameIndexTXT")->text(), QString::number(uint8_t(fileBytes()[at(0, 30)])));

    // Loaded values above a cap show the cap.
    selectMonster(2);
    EXPECT_EQ(box("HPTXT")->text(), "32768");
    EXPECT_EQ(box("GilTXT")->text(), "65500");
}

TEST_F(MonsterEditorTest, PastedTextIsHeldToDigitsAndPoint)
{
    openEditor(quietImage(9));
    QLineEdit* hp = box("HPTXT");
    hp->setFocus();
    QApplication::clipboard()->setText("-5");
    hp->selectAll();
    QTest::keySequence(hp, QKeySequence::Paste);
    EXPECT_EQ(hp->text(), "1200");
    QApplication::clipboard()->setText("123456");
    hp->selectAll();
    QTest::keySequence(hp, QKeySequence::Paste);
    EXPECT_EQ(hp->text(), "1200");
    QApplication::clipboard()->setText("70000");
    hp->selectAll();
    QTest::keySequence(hp, QKeySequence::Paste);
    EXPECT_EQ(hp->text(), "65500");
}

// ---------------------------------------------------------------------------
// Flags and special bits

TEST_F(MonsterEditorTest, FlagBytesShowAsListEntriesAndComeBackFromThem)
{
    RomFixture rom = quietImage(10);
    rom.monsterByte(0, 23, 0x05).monsterByte(0, 21, 0x80).monsterByte(0, 6, 0).monsterByte(0, 7, 0);
    rom.monsterByte(0, 29, 0).monsterByte(0, 28, 0);
    rom.monsterByte(1, 23, 0xFF).monsterByte(1, 21, 0xFF).monsterByte(1, 6, 0xFF).monsterByte(1, 7, 0xFF);
    rom.monsterByte(1, 29, 0xFF).monsterByte(1, 28, 0xFF);
    openEditor(rom);
    auto* weak = control<QListWidget>("WeakLST");
    auto* status = control<QListWidget>("StatusConditionsLST");
    auto* attributes = control<QListWidget>("SpAttribLST");
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(weak->item(i)->isSelected(), i == 0 || i == 2 || i == 15) << i;
    EXPECT_EQ(weak->item(15)->text(), "Absorb: Wind");

    selectMonster(1);
    EXPECT_EQ(weak->selectedItems().size(), 24);
    selectMonster(0);
    EXPECT_EQ(weak->selectedItems().size(), 3);  // nothing left on from monster 1
    EXPECT_EQ(status->selectedItems().size(), 0);
    EXPECT_EQ(weak->currentRow(), 0);
    EXPECT_EQ(status->currentRow(), 0);

    clickListEntry(weak, 1);   // Weak Against: Ice on
    clickListEntry(weak, 0);   // Weak Against: Fire off
    clickListEntry(weak, 16);  // No DMG from: Fire
    clickListEntry(status, 9); // Strong Against: Toad
    clickListEntry(status, 7); // Start Battle: Float
    clickListEntry(attributes, 7);
    click("SaveCMD");
    const QByteArray r = recordBytes(0);
    EXPECT_EQ(uint8_t(r[23]), 0x06);
    EXPECT_EQ(uint8_t(r[21]), 0x80);
    EXPECT_EQ(uint8_t(r[6]), 0x01);  // element immunity
    EXPECT_EQ(uint8_t(r[7]), 0x02);  // status immunity
    EXPECT_EQ(uint8_t(r[29]), 0x80);
    EXPECT_EQ(uint8_t(r[28]), 0x80);
}

TEST_F(MonsterEditorTest, EachSpecialBitBoxShowsAndTogglesItsOwnBit)
{
    openEditor(quietImage(11).monsterByte(0, 25, 0x81).monsterByte(1, 25, 152).monsterByte(2, 25, 128));
    auto* hide = control<QCheckBox>("HideHPCHK");
    auto* unknown1 = control<QCheckBox>("Unknown1CHK");
    auto* unknown2 = control<QCheckBox>("Unknown2CHK");
    auto* number = control<QLabel>("SpBitLBL");
    EXPECT_TRUE(hide->isChecked());
    EXPECT_FALSE(unknown1->isChecked());
    EXPECT_EQ(number->text(), "129");
    click("Unknown1CHK");
    EXPECT_EQ(number->text(), "137");
    click("HideHPCHK");
    EXPECT_EQ(number->text(), "9");
    click("SaveCMD");
    EXPECT_EQ(uint8_t(recordBytes(0)[25]), 9);

    selectMonster(1);
    EXPECT_TRUE(hide->isChecked() && unknown1->isChecked() && unknown2->isChecked());
    EXPECT_EQ(number->text(), "152");

    selectMonster(2);
    EXPECT_EQ(number->text(), "128");
    EXPECT_FALSE(unknown1->isChecked() || unknown2->isChecked());
    click("Unknown1CHK");
    EXPECT_EQ(number->text(), "136");
    click("Unknown1CHK");
    EXPECT_EQ(number->text(), "128");
    click("HideHPCHK");
    EXPECT_EQ(number->text(), "0");
}

// ---------------------------------------------------------------------------
// Attack animation picker

TEST_F(MonsterEditorTest, PickingTheLastAnimationShowsItWithoutAWarning)
{
    openEditor(quietImage(12));
    auto* combo = control<QComboBox>("AttackIndexCBO");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_End);
    EXPECT_EQ(combo->currentIndex(), 207);
    EXPECT_EQ(combo->currentText(), "Glitch-Crashes Game");
    EXPECT_EQ(box("AttackIndexTXT")->text(), "207");
    EXPECT_EQ(pictureOf(control<QLabel>("AttackIndexGFX")), attackPicture(207));
    EXPECT_TRUE(effects.messages.empty());
    click("SaveCMD");
    EXPECT_EQ(uint8_t(recordBytes(0)[16]), 207);
}

TEST_F(MonsterEditorTest, AStoredIndexBeyondTheListWarnsAndIsKept)
{
    openEditor(quietImage(13).monsterByte(1, 16, 208).monsterByte(2, 16, 208).monsterByte(3, 16, 255));
    auto* combo = control<QComboBox>("AttackIndexCBO");
    selectMonster(1);
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(effects.messages[0].text, kWarning);
    EXPECT_EQ(box("AttackIndexTXT")->text(), "208");
    // Combo and picture keep monster 0's animation.
    EXPECT_EQ(combo->currentIndex(), 40);
    EXPECT_EQ(pictureOf(control<QLabel>("AttackIndexGFX")), attackPicture(40));
    click("SaveCMD");
    EXPECT_EQ(uint8_t(recordBytes(1)[16]), 208);
    selectMonster(2);  // the same text again still warns
    selectMonster(3);
    EXPECT_EQ(warnings(), 3u);
    EXPECT_EQ(box("AttackIndexTXT")->text(), "255");

    // Picking the entry the combo already shows takes it in place of the stored byte.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* popup = combo->view();
    ASSERT_TRUE(popup->isVisible());
    const QModelIndex shown = popup->model()->index(40, 0);
    popup->scrollTo(shown);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(shown).center());
    EXPECT_EQ(combo->currentIndex(), 40);
    EXPECT_EQ(box("AttackIndexTXT")->text(), "40");
    click("SaveCMD");
    EXPECT_EQ(uint8_t(recordBytes(3)[16]), 40);
    EXPECT_EQ(warnings(), 3u);
}

// ---------------------------------------------------------------------------
// Locking and status help

TEST_F(MonsterEditorTest, LockingDisablesTheEditingControlsAndSaveStillWrites)
{
    openEditor(quietImage(14));
    effects.msPerSecond = 200;  // the saved text outlasts the test
    const QStringList editing = {"LevelTXT", "HPTXT", "MPTXT", "EXPTXT", "GilTXT", "STRTXT", "AGITXT",
                                 "DEFTXT", "EvadeTXT", "MagicPowerTXT", "UnknownTXT", "WeakLST", "SpAttribLST",
                                 "StatusConditionsLST", "AttackIndexCBO", "AttackIndexTXT", "Unknown1CHK",
                                 "Unknown2CHK", "HideHPCHK"};
    const QStringList alwaysOn = {"MonsterList", "SaveCMD", "CancelCMD", "Dump2TXT", "LockControlsCMD", "TabStrip1"};
    retype("HPTXT", "4321");
    click("LockControlsCMD");
    EXPECT_EQ(control<QLabel>("LockLBL")->text(), "Monster Editor - Controls Locked");
    for (const QString& name : editing + QStringList{"NameIndexTXT"})
        EXPECT_FALSE(control(name)->isEnabled()) << name.toStdString();
    for (const QString& name : alwaysOn)
        EXPECT_TRUE(control(name)->isEnabled()) << name.toStdString();
    click("SaveCMD");
    EXPECT_EQ(recordBytes(0).mid(8, 2), QByteArray::fromHex("e110"));

    click("LockControlsCMD");
    EXPECT_EQ(control<QLabel>("LockLBL")->text(), "Monster Editor");
    for (const QString& name : editing)
        EXPECT_TRUE(control(name)->isEnabled()) << name.toStdString();
    EXPECT_TRUE(box("MPTXT")->isReadOnly());
    EXPECT_FALSE(box("NameIndexTXT")->isEnabled());
    QTest::mouseMove(box("NameIndexTXT"));
    EXPECT_EQ(info(), "The Stats of: " + monsterList()->item(0)->text() + " has been saved.");
}

TEST_F(MonsterEditorTest, StatusHelpFollowsTheMouseAndClearsAfterTheLastText)
{
    openEditor(quietImage(15));
    effects.msPerSecond = 200;  // ten seconds last two
    const std::pair<const char*, const char*> help[] = {
        {"AttackIndexGFX", "This displays the Attack Animations for when the monster uses a regular attack."},
        {"Dump2TXT", "This dumps the current monster's stats into a seperate text file."},
        {"LockControlsCMD", "This locks the Attack Animation index controls so you can't edit them."},
        {"NameIndexTXT", "You can't directly edit the Name Index value."},
        {"Picture1", "This displays the Monster Graphic.  This feature is not implimented yet."},
    };
    for (const auto& [name, text] : help) {
        QTest::mouseMove(control(name));
        EXPECT_EQ(info(), text) << name;
    }
    QTest::mouseMove(monsterList()->viewport());
    EXPECT_FALSE(info().isEmpty());
    EXPECT_NE(info(), help[4].second);
    QTest::mouseMove(control("Picture1"), QPoint(5, 5));
    QTest::qWait(1200);
    QTest::mouseMove(control("Dump2TXT"));
    EXPECT_EQ(info(), help[1].second);
    QTest::qWait(1200);
    EXPECT_EQ(info(), help[1].second);  // the first text's time has passed, the newer one's has not
    EXPECT_TRUE(QTest::qWaitFor([&] { return info().isEmpty(); }, 5000));
}

TEST_F(MonsterEditorTest, TheSavedTextStaysItsTimeThenClears)
{
    openEditor(quietImage(16));
    effects.msPerSecond = 100;
    click("SaveCMD");
    const QString saved = "The Stats of: " + monsterList()->item(0)->text() + " has been saved.";
    EXPECT_EQ(info(), saved);
    QTest::qWait(500);
    EXPECT_EQ(info(), saved);
    EXPECT_TRUE(QTest::qWaitFor([&] { return info().isEmpty(); }, 5000));
}
