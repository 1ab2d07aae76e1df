#include "support/MemoryImage.h"
#include "characters/Form3.h"
#include "data/GameData.h"
#include "main/PendingStamp.h"
#include "support/GuiTestBase.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QWheelEvent>

#include <functional>
#include <map>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

using namespace zorvek;
using namespace zorvek::test;

namespace {

const QString kStamp = QStringLiteral("Zorvek Multi Editor | 0.65 | 12/5/02, 4:37:57 PM");
constexpr qint64 kStampOffset = 0x60;
constexpr qint64 kSlotStart[4] = {0x117200, 0x117250, 0x1172A0, 0x1172F0};

const char* const kTextBoxes[] = {"CharIndexTXT", "LevelTXT", "CHPTXT",  "MHPTXT",       "CMPTXT",
                                  "MMPTXT",       "EXPTXT",   "ActorTXT", "STRTXT",      "AGITXT",
                                  "VITTXT",       "MagicPowerTXT", "EquipBitTXT"};
const char* const kEditableBoxes[] = {"LevelTXT", "CHPTXT", "MHPTXT", "CMPTXT", "MMPTXT",
                                      "STRTXT",   "AGITXT", "VITTXT", "MagicPowerTXT"};
const char* const kLists[] = {"RHCBO",  "LHCBO", "HeadCBO", "BodyCBO", "ArmsCBO", "BattleCommand1CBO",
                              "BattleCommand2CBO", "BattleCommand3CBO", "BattleCommand4CBO"};

// Distinct, in-range values in every slot over random bytes everywhere else.
RomFixture characterRom(uint32_t seed = 3)
{
    RomFixture rom;
    rom.fillRandom(seed).copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    for (int s = 0; s < 4; ++s) {
        rom.characterByte(s, 0, 1 + s)
            .characterByte(s, 2, 10 + s)
            .characterWord(s, 3, 1000 + s)
            .characterWord(s, 6, 100 + s)
            .characterWord(s, 8, 200 + s)
            .characterWord(s, 10, 30 + s)
            .characterWord(s, 12, 40 + s)
            .characterByte(s, 14, 0x80 + s)
            .characterByte(s, 15, 0xA1 + s)
            .characterByte(s, 16, 0xC1 + s)
            .characterByte(s, 19, 0x02 + s)
            .characterByte(s, 20, 0x01)
            .characterByte(s, 21, 0x10 + s)
            .characterByte(s, 22, 0x01)
            .characterByte(s, 23, 0x02 + s)
            .characterByte(s, 24, 0x28)
            .characterByte(s, 25, 0x80 + s)
            .characterByte(s, 36, 20 + s)
            .characterByte(s, 37, 21 + s)
            .characterByte(s, 38, 22 + s)
            .characterByte(s, 39, 23 + s);
    }
    return rom;
}

class CharacterEditorTest : public GuiTestBase {
protected:
    Form3* openEditor(const RomFixture& rom)
    {
        openImage(rom);
        original = rom.bytes();
        clickToolButton(QStringLiteral("Characters"));
        editor = form1->characterEditor();
        EXPECT_NE(editor, nullptr);
        return editor;
    }

    QLineEdit* box(const char* name) { return find<QLineEdit>(editor, QLatin1String(name)); }
    QComboBox* list(const char* name) { return find<QComboBox>(editor, QLatin1String(name)); }
    QString text(const char* name) { return box(name)->text(); }
    QScrollBar* scroll() { return find<QScrollBar>(editor, QStringLiteral("Scroll")); }
    QTabBar* tabs() { return find<QTabBar>(editor, QStringLiteral("TabStrip1")); }
    QString info() { return find<QLabel>(editor, QStringLiteral("InfoLBL"))->text(); }

    void typeInto(const char* name, const QString& typed)
    {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, typed);
    }

    void clickButton(const char* name) { QTest::mouseClick(find<QPushButton>(editor, QLatin1String(name)), Qt::LeftButton); }
    void clickTab(int index) { QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(index).center()); }

    void pressOnScroll(Qt::Key key)
    {
        scroll()->setFocus();
        QTest::keyClick(scroll(), key);
    }

    // One notch of the mouse wheel over the bar; a negative notch turns it down.
    void wheelOnScroll(int notches)
    {
        const QPointF at(scroll()->width() / 2.0, scroll()->height() / 2.0);
        QWheelEvent wheel(at, scroll()->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(scroll(), &wheel);
    }

    void closeEditor()
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        editor = nullptr;
    }

    bool waitForStamp() { return QTest::qWaitFor([&] { return !form1->pendingStamp().isPending(); }, 5000); }

    // What the file must hold: the original with the given changes and the stamp.
    QByteArray withStamp(QByteArray bytes) const
    {
        bytes.replace(kStampOffset, kStamp.size(), kStamp.toLatin1());
        return bytes;
    }

    static void setByte(QByteArray& bytes, qint64 offset, int value)
    {
        bytes[static_cast<int>(offset)] = static_cast<char>(value & 0xFF);
    }
    static void setWord(QByteArray& bytes, qint64 offset, int value)
    {
        setByte(bytes, offset, value);
        setByte(bytes, offset + 1, value >> 8);
    }

    void expectSlotShown(int s)
    {
        SCOPED_TRACE("slot " + std::to_string(s));
        EXPECT_EQ(text("CharIndexTXT"), QString::number(s));
        EXPECT_EQ(text("ActorTXT"), QString::number(1 + s));
        EXPECT_EQ(text("LevelTXT"), QString::number(10 + s));
        EXPECT_EQ(text("EXPTXT"), QString::number(1000 + s));
        EXPECT_EQ(text("CHPTXT"), QString::number(100 + s));
        EXPECT_EQ(text("MHPTXT"), QString::number(200 + s));
        EXPECT_EQ(text("CMPTXT"), QString::number(30 + s));
        EXPECT_EQ(text("MMPTXT"), QString::number(40 + s));
        EXPECT_EQ(text("STRTXT"), QString::number(20 + s));
        EXPECT_EQ(text("AGITXT"), QString::number(21 + s));
        EXPECT_EQ(text("VITTXT"), QString::number(22 + s));
        EXPECT_EQ(text("MagicPowerTXT"), QString::number(23 + s));
        EXPECT_EQ(text("EquipBitTXT"), QString::number(0x10 + s));
        EXPECT_EQ(list("HeadCBO")->currentIndex(), 0x80 + s);
        EXPECT_EQ(list("BodyCBO")->currentIndex(), 0xA1 + s);
        EXPECT_EQ(list("ArmsCBO")->currentIndex(), 0xC1 + s);
        EXPECT_EQ(list("RHCBO")->currentIndex(), 0x02 + s);
        EXPECT_EQ(list("LHCBO")->currentIndex(), 0x01);
        EXPECT_EQ(list("BattleCommand1CBO")->currentIndex(), 0x01);
        EXPECT_EQ(list("BattleCommand2CBO")->currentIndex(), 0x02 + s);
        EXPECT_EQ(list("BattleCommand3CBO")->currentIndex(), 0x28);
        EXPECT_EQ(list("BattleCommand4CBO")->currentIndex(), 0x80 + s);
    }

    std::map<QString, QString> snapshot()
    {
        std::map<QString, QString> values;
        for (const char* name : kTextBoxes)
            values[QLatin1String(name)] = text(name);
        for (const char* name : kLists)
            values[QLatin1String(name)] = QString::number(list(name)->currentIndex());
        return values;
    }

    Form3* editor = nullptr;
    QByteArray original;
};

TEST_F(CharacterEditorTest, OpensOnSlotZeroWithTheStatsTab)
{
    openEditor(characterRom());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_FALSE(form1->isVisible());
    EXPECT_EQ(editor->windowTitle(), "Character Editor: " + form1->internalRomNameText());
    EXPECT_TRUE(editor->windowTitle().startsWith("Character Editor: KELVARNTHOSIA 5"));
    expectSlotShown(0);
    EXPECT_EQ(scroll()->minimum(), 0);
    EXPECT_EQ(scroll()->maximum(), 3);
    EXPECT_EQ(scroll()->orientation(), Qt::Horizontal);
    ASSERT_EQ(tabs()->count(), 2);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_EQ(tabs()->tabText(0), "Character Stats");
    EXPECT_EQ(tabs()->tabText(1), "Character Equipment && Battle Commands");
    EXPECT_EQ(tabs()->tabData(0).toString(), "Stats");
    EXPECT_EQ(tabs()->tabData(1).toString(), "Eq");
    EXPECT_TRUE(find<QWidget>(editor, "StatFR")->isVisible());
    EXPECT_FALSE(find<QWidget>(editor, "EqFR")->isVisible());
    EXPECT_TRUE(find<QWidget>(editor, "CharIndexFR")->isVisible());
    EXPECT_EQ(info(), "");
    EXPECT_EQ(find<QPushButton>(editor, "SaveCMD")->text(), "&Save");
    EXPECT_EQ(find<QPushButton>(editor, "CancelCMD")->text(), "&Cancel");
    const std::pair<const char*, const char*> captions[] = {
        {"NameLBL", "Character:"},    {"LevelLBL", "Level:"},          {"HPLBL", "Hit Points:"},
        {"MPLBL", "Magic Points:"},   {"EXPLBL", "Experience:   "},    {"ActorLBL", "Actor Bit:"},
        {"STRLBL", "Strength:"},      {"AGILBL", "Agility:"},          {"DEFLBL", "Vitality"},
        {"MagicPowerLBL", "Magic Power:"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(find<QLabel>(editor, name)->text(), caption) << name;
    QStringList shown;
    for (const QLabel* l : editor->findChildren<QLabel*>())
        shown << l->text();
    for (const char* caption : {"Command 1:", "Command 2:", "Command 3:", "Command 4:", "Equip Bit:"})
        EXPECT_EQ(shown.count(caption), 1) << caption;
    EXPECT_EQ(shown.count(" / "), 2);

    for (const char* name : {"CharIndexTXT", "EXPTXT", "ActorTXT", "EquipBitTXT"})
        EXPECT_TRUE(box(name)->isReadOnly()) << name;
    for (const char* name : kEditableBoxes)
        EXPECT_FALSE(box(name)->isReadOnly()) << name;
    for (const char* name : kLists) {
        EXPECT_FALSE(list(name)->isEditable()) << name;
        EXPECT_EQ(list(name)->count(), QString(name).startsWith("Battle") ? 160 : 256) << name;
    }
    EXPECT_EQ(list("HeadCBO")->itemText(0x81), data::equipmentLabels().at(0x81));
    EXPECT_EQ(list("BattleCommand1CBO")->itemText(0x82), "Equip ?");
    for (int i = 1; i <= 5; ++i) {
        auto* icon = find<QLabel>(editor, QStringLiteral("Image%1").arg(i));
        EXPECT_EQ(icon->pixmap().size(), QSize(16, 16));
    }
    EXPECT_EQ(form1->rom().writeCount(), 0u);
}

TEST_F(CharacterEditorTest, ScrollBarLoadsTheSlotAndDropsUnsavedEdits)
{
    openEditor(characterRom());
    typeInto("STRTXT", "55");
    typeInto("LevelTXT", "9");
    list("HeadCBO")->setCurrentIndex(3);

    // The arrow at the right end of the bar steps one slot on.
    QTest::mouseClick(scroll(), Qt::LeftButton, {}, QPoint(scroll()->width() - 4, scroll()->height() / 2));
    EXPECT_EQ(scroll()->value(), 1);
    expectSlotShown(1);
    pressOnScroll(Qt::Key_End);
    expectSlotShown(3);
    pressOnScroll(Qt::Key_Left);
    expectSlotShown(2);
    pressOnScroll(Qt::Key_Home);
    expectSlotShown(0);  // the stored values, not the edits

    // Every other way of stepping goes the way a horizontal bar goes too.
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { pressOnScroll(Qt::Key_PageDown); }, 1}, {[&] { pressOnScroll(Qt::Key_Down); }, 2},
        {[&] { wheelOnScroll(-1); }, 3},               {[&] { wheelOnScroll(1); }, 2},
        {[&] { pressOnScroll(Qt::Key_Up); }, 1},       {[&] { pressOnScroll(Qt::Key_PageUp); }, 0},
        {[&] { pressOnScroll(Qt::Key_Right); }, 1},
    };
    for (const auto& [step, slot] : steps) {
        step();
        EXPECT_EQ(scroll()->value(), slot);
        EXPECT_EQ(text("CharIndexTXT"), QString::number(slot));
    }
    EXPECT_EQ(form1->rom().writeCount(), 0u);
    EXPECT_EQ(fileBytes(), original);
}

TEST_F(CharacterEditorTest, SwitchingTabsShowsOneFrameAndChangesNoValue)
{
    openEditor(characterRom());
    pressOnScroll(Qt::Key_Right);
    typeInto("VITTXT", "77");
    const auto before = snapshot();
    const quint64 reads = form1->rom().readCount();

    clickTab(1);
    EXPECT_TRUE(find<QWidget>(editor, "EqFR")->isVisible());
    EXPECT_FALSE(find<QWidget>(editor, "StatFR")->isVisible());
    EXPECT_TRUE(list("RHCBO")->isVisible());
    EXPECT_TRUE(box("EquipBitTXT")->isVisible());
    EXPECT_EQ(snapshot(), before);

    clickTab(0);
    EXPECT_TRUE(find<QWidget>(editor, "StatFR")->isVisible());
    EXPECT_FALSE(find<QWidget>(editor, "EqFR")->isVisible());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(form1->rom().readCount(), reads) << "switching tabs loads nothing";
    EXPECT_EQ(fileBytes(), original);
}

TEST_F(CharacterEditorTest, BoxesTakeOnlyDigitsAndPointsOnlyAttributesCapAndSavesRound)
{
    openEditor(characterRom());
    for (const char* name : kEditableBoxes) {
        const QString before = text(name);
        QLineEdit* b = box(name);
        b->setFocus();
        b->end(false);
        QTest::keyClicks(b, "a-, +x");
        EXPECT_EQ(b->text(), before) << name;
    }
    typeInto("STRTXT", "1.5");
    EXPECT_EQ(text("STRTXT"), "1.5");

    // Clearing a box leaves "0", and the digits typed next take its place
    // rather than following it and running into the length limit.
    QLineEdit* level = box("LevelTXT");
    level->setFocus();
    level->selectAll();
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "0");
    QTest::keyClicks(level, "45");
    EXPECT_EQ(level->text(), "45");
    level->end(false);
    QTest::keyClick(level, Qt::Key_Backspace);
    QTest::keyClick(level, Qt::Key_Backspace);
    EXPECT_EQ(level->text(), "0");
    QTest::keyClicks(level, "12");
    EXPECT_EQ(level->text(), "12");
    QLineEdit* strength = box("STRTXT");
    strength->setFocus();
    strength->selectAll();
    QTest::keyClick(strength, Qt::Key_Delete);
    QTest::keyClicks(strength, "300");
    EXPECT_EQ(strength->text(), "255");

    for (const char* name : {"STRTXT", "AGITXT", "VITTXT", "MagicPowerTXT"}) {
        typeInto(name, "300");
        EXPECT_EQ(text(name), "255") << name;
        typeInto(name, "255");
        EXPECT_EQ(text(name), "255") << name;
    }
    // Saved rounded, halves to even; the box keeps what was typed.
    typeInto("STRTXT", "7.5");
    typeInto("AGITXT", "6.5");
    typeInto("LevelTXT", "99");
    typeInto("CHPTXT", "300");
    typeInto("MHPTXT", "12345");  // the fifth digit is not taken
    typeInto("CMPTXT", "300");
    typeInto("MMPTXT", "999");
    EXPECT_EQ(text("CHPTXT"), "300");
    EXPECT_EQ(text("MHPTXT"), "1234");
    EXPECT_EQ(text("CMPTXT"), "300");
    EXPECT_EQ(text("LevelTXT"), "99");

    clickButton("SaveCMD");
    EXPECT_EQ(text("STRTXT"), "7.5");
    ASSERT_TRUE(waitForStamp());
    QByteArray expected = withStamp(original);
    setByte(expected, 0x117202, 99);
    setWord(expected, 0x117206, 300);
    setWord(expected, 0x117208, 1234);
    setWord(expected, 0x11720A, 300);
    setWord(expected, 0x11720C, 999);
    setByte(expected, 0x117224, 8);
    setByte(expected, 0x117225, 6);
    setByte(expected, 0x117226, 255);
    setByte(expected, 0x117227, 255);
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(CharacterEditorTest, TypingAndPastingStopAtEachBoxsLimitAndReadOnlyBoxesTakeNothing)
{
    openEditor(characterRom());
    const std::pair<const char*, const char*> typed[] = {
        {"LevelTXT", "12"}, {"CHPTXT", "1234"}, {"MHPTXT", "1234"}, {"CMPTXT", "123"}, {"MMPTXT", "123"},
        {"STRTXT", "123"},  {"AGITXT", "123"},  {"VITTXT", "123"},  {"MagicPowerTXT", "123"}};
    for (const auto& [name, kept] : typed) {
        typeInto(name, "12345");
        EXPECT_EQ(text(name), kept) << name;
    }
    QApplication::clipboard()->setText(QStringLiteral("98765"));
    for (const auto& [name, kept] : typed) {
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
        EXPECT_LE(b->text().size(), qstrlen(kept)) << name;
    }
    QApplication::clipboard()->setText(QStringLiteral("98"));
    box("CMPTXT")->selectAll();
    QTest::keyClick(box("CMPTXT"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(text("CMPTXT"), "98") << "a paste that fits is taken";
    for (const char* name : {"CharIndexTXT", "EXPTXT", "ActorTXT", "EquipBitTXT"}) {
        const QString before = text(name);
        QLineEdit* b = box(name);
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, "7");
        QTest::keyClick(b, Qt::Key_Backspace);
        QTest::keyClick(b, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(b->text(), before) << name;
    }
}

TEST_F(CharacterEditorTest, SaveWritesTheEighteenFieldsInTheirOrderThenTheStamp)
{
    effects.msPerSecond = 1000;
    openEditor(characterRom());
    pressOnScroll(Qt::Key_Right);
    pressOnScroll(Qt::Key_Right);
    MemoryDevice* memory = attachMemory(form1->rom(), original, -1, QStringLiteral("Disk full"), romPath);
    clickButton("SaveCMD");
    ASSERT_TRUE(form1->pendingStamp().flush().ok());

    const qint64 s = 0x1172A0;
    const std::vector<qint64> expected = {s + 2,  s + 6,  s + 8,  s + 10, s + 12, s + 36, s + 37,
                                          s + 38, s + 39, s + 19, s + 20, s + 14, s + 15, s + 16,
                                          s + 22, s + 23, s + 24, s + 25, kStampOffset};
    EXPECT_EQ(memory->writeOffsets, expected);
    EXPECT_EQ(memory->data(), withStamp(original));
}

TEST_F(CharacterEditorTest, SignedWordsShowNegativeAndPointsShowAtMost9999)
{
    RomFixture rom = characterRom();
    rom.characterByte(2, 2, 150)
        .characterWord(2, 3, 0xFFFF)
        .characterWord(2, 6, 0x8000)
        .characterWord(2, 8, 0x2710)
        .characterWord(2, 10, 0xFFFB)
        .characterWord(2, 12, 0x7FFF);
    openEditor(rom);
    pressOnScroll(Qt::Key_Right);
    pressOnScroll(Qt::Key_Right);
    EXPECT_EQ(text("LevelTXT"), "150");  // longer than can be typed, shown in full
    EXPECT_EQ(text("EXPTXT"), "-1");
    EXPECT_EQ(text("CHPTXT"), "-32768");
    EXPECT_EQ(text("MHPTXT"), "9999");
    EXPECT_EQ(text("CMPTXT"), "-5");
    EXPECT_EQ(text("MMPTXT"), "9999");
    EXPECT_EQ(fileBytes(), original) << "the cap changes only what is shown";

    clickButton("SaveCMD");
    ASSERT_TRUE(waitForStamp());
    QByteArray expected = withStamp(original);
    setWord(expected, 0x1172A8, 9999);
    setWord(expected, 0x1172AC, 9999);
    EXPECT_EQ(fileBytes(), expected);  // level, EXP, -32768 and -5 as they were
}

TEST_F(CharacterEditorTest, SavingAnUneditedSlotChangesOnlyTheStamp)
{
    openEditor(characterRom(17));
    for (int s = 0; s < 4; ++s) {
        scroll()->setValue(s);
        clickButton("SaveCMD");
        ASSERT_TRUE(waitForStamp());
        EXPECT_EQ(fileBytes(), withStamp(original)) << "slot " << s;
    }
}

TEST_F(CharacterEditorTest, EditsOfOneSlotLandExactlyAtTheirPositions)
{
    openEditor(characterRom());
    scroll()->setValue(3);
    typeInto("LevelTXT", "42");
    typeInto("CHPTXT", "512");
    typeInto("MHPTXT", "999");
    typeInto("CMPTXT", "7");
    typeInto("MMPTXT", "8");
    typeInto("STRTXT", "1");
    typeInto("AGITXT", "2");
    typeInto("VITTXT", "3");
    typeInto("MagicPowerTXT", "4");
    clickTab(1);
    const std::pair<const char*, int> picks[] = {{"RHCBO", 0x6E}, {"LHCBO", 0x02}, {"HeadCBO", 0xFF},
                                                 {"BodyCBO", 0x00}, {"ArmsCBO", 0xD0},
                                                 {"BattleCommand1CBO", 0x4D}, {"BattleCommand2CBO", 0x9F},
                                                 {"BattleCommand3CBO", 0x00}, {"BattleCommand4CBO", 0x24}};
    for (const auto& [name, index] : picks)
        list(name)->setCurrentIndex(index);
    clickButton("SaveCMD");
    ASSERT_TRUE(waitForStamp());

    QByteArray expected = withStamp(original);
    const qint64 s = 0x1172F0;
    setByte(expected, s + 2, 42);
    setWord(expected, s + 6, 512);
    setWord(expected, s + 8, 999);
    setWord(expected, s + 10, 7);
    setWord(expected, s + 12, 8);
    setByte(expected, s + 36, 1);
    setByte(expected, s + 37, 2);
    setByte(expected, s + 38, 3);
    setByte(expected, s + 39, 4);
    setByte(expected, s + 19, 0x6E);
    setByte(expected, s + 20, 0x02);
    setByte(expected, s + 14, 0xFF);
    setByte(expected, s + 15, 0x00);
    setByte(expected, s + 16, 0xD0);
    setByte(expected, s + 22, 0x4D);
    setByte(expected, s + 23, 0x9F);
    setByte(expected, s + 24, 0x00);
    setByte(expected, s + 25, 0x24);
    EXPECT_EQ(fileBytes(), expected);
}

TEST_F(CharacterEditorTest, EquipmentEntry0x81IsSavedAs0x81)
{
    openEditor(characterRom());
    scroll()->setValue(1);
    clickTab(1);
    QComboBox* head = list("HeadCBO");
    ASSERT_EQ(head->currentIndex(), 0x81);
    QTest::keyClick(head, Qt::Key_Up);
    QTest::keyClick(head, Qt::Key_Down);
    EXPECT_EQ(head->currentIndex(), 0x81);
    QTest::keyClick(head, Qt::Key_Up);
    clickButton("SaveCMD");
    EXPECT_EQ(static_cast<uint8_t>(fileBytes()[0x11725E]), 0x80);
    QTest::keyClick(head, Qt::Key_Down);
    clickButton("SaveCMD");
    EXPECT_EQ(static_cast<uint8_t>(fileBytes()[0x11725E]), 0x81);
}

TEST_F(CharacterEditorTest, UnlistedCommandByteShowsItsValueAndSurvivesASave)
{
    openEditor(characterRom().characterByte(1, 24, 0xA5).characterByte(1, 25, 0xFF));
    scroll()->setValue(1);
    QComboBox* third = list("BattleCommand3CBO");
    QComboBox* fourth = list("BattleCommand4CBO");
    EXPECT_EQ(third->count(), 161);
    EXPECT_EQ(third->currentText(), "Unlisted command (0xA5)");
    EXPECT_EQ(fourth->currentText(), "Unlisted command (0xFF)");
    clickButton("SaveCMD");
    EXPECT_EQ(fileBytes(), original);  // record unchanged; the stamp is still due

    third->setCurrentIndex(5);
    clickButton("SaveCMD");
    EXPECT_EQ(fileBytes()[0x117268], 5);
    EXPECT_EQ(static_cast<uint8_t>(fileBytes()[0x117269]), 0xFF);

    scroll()->setValue(0);
    EXPECT_EQ(third->count(), 160) << "the extra entry belongs to the slot that had it";
    EXPECT_EQ(fourth->count(), 160);
    scroll()->setValue(1);
    EXPECT_EQ(third->currentIndex(), 5);
    EXPECT_EQ(fourth->count(), 161);
}

TEST_F(CharacterEditorTest, SaveShowsItsMessageForTenSecondsThenStamps)
{
    effects.msPerSecond = 100;  // ten seconds last one
    openEditor(characterRom());
    pressOnScroll(Qt::Key_Right);
    typeInto("LevelTXT", "50");
    clickButton("SaveCMD");

    EXPECT_EQ(info(), "The Stats of: Character 1 has been saved.");
    EXPECT_EQ(fileBytes()[0x117252], 50) << "the record is written at once";
    EXPECT_EQ(fileBytes().mid(kStampOffset, kStamp.size()), original.mid(kStampOffset, kStamp.size()))
        << "the stamp waits for the message";
    EXPECT_TRUE(form1->pendingStamp().isPending());

    EXPECT_TRUE(QTest::qWaitFor([&] { return info().isEmpty(); }, 5000));
    ASSERT_TRUE(waitForStamp());
    QByteArray expected = withStamp(original);
    setByte(expected, 0x117252, 50);
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(CharacterEditorTest, CancelAndTheCloseBoxWriteNothingAndShowTheMainWindow)
{
    openEditor(characterRom());
    scroll()->setValue(2);
    clickTab(1);
    typeInto("STRTXT", "99");
    clickButton("CancelCMD");
    closeEditor();
    EXPECT_EQ(form1->characterEditor(), nullptr);
    EXPECT_TRUE(form1->isVisible());
    EXPECT_EQ(form1->rom().writeCount(), 0u);
    EXPECT_EQ(fileBytes(), original);

    // Opened again it starts afresh.
    clickToolButton("Characters");
    editor = form1->characterEditor();
    ASSERT_NE(editor, nullptr);
    expectSlotShown(0);
    EXPECT_EQ(tabs()->currentIndex(), 0);
    EXPECT_TRUE(find<QWidget>(editor, "StatFR")->isVisible());

    typeInto("LevelTXT", "1");
    editor->close();
    closeEditor();
    EXPECT_EQ(form1->characterEditor(), nullptr);
    EXPECT_TRUE(form1->isVisible());
    EXPECT_EQ(fileBytes(), original);
}

TEST_F(CharacterEditorTest, StampDueAfterASaveLandsInTheSavedImageOnly)
{
    effects.msPerSecond = 1000;  // the wait outlasts each step below
    const RomFixture other = characterRom(99);
    const QString otherPath = tempPath("other.smc");
    ASSERT_TRUE(other.writeTo(otherPath));

    // Saved, then the editor closed during the wait.
    openEditor(characterRom());
    clickButton("SaveCMD");
    clickButton("CancelCMD");
    closeEditor();
    EXPECT_EQ(fileBytes().mid(kStampOffset, kStamp.size()), original.mid(kStampOffset, kStamp.size()));
    EXPECT_TRUE(form1->pendingStamp().isPending());

    // Another image opened before the wait ends: the stamp goes to the saved one first.
    const QString savedPath = romPath;
    openPath(otherPath);
    EXPECT_EQ(readFile(savedPath), withStamp(original));
    EXPECT_FALSE(form1->pendingStamp().isPending());
    EXPECT_EQ(readFile(otherPath), other.bytes());

    // Saved from the other image, then Close ROM at once.
    clickToolButton("Characters");
    editor = form1->characterEditor();
    ASSERT_NE(editor, nullptr);
    clickButton("SaveCMD");
    clickButton("CancelCMD");
    closeEditor();
    trigger("mnuClose");
    EXPECT_EQ(readFile(otherPath), withStamp(other.bytes()));
    EXPECT_EQ(readFile(savedPath), withStamp(original));
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(CharacterEditorTest, ValueThatCannotBeStoredRefusesTheWholeSave)
{
    openEditor(characterRom().characterWord(0, 6, 0x8000));
    typeInto("STRTXT", "33");
    // Deleting the minus sign of a loaded -32768 leaves a number no word can hold.
    QLineEdit* hp = box("CHPTXT");
    hp->setFocus();
    hp->home(false);
    QTest::keyClick(hp, Qt::Key_Delete);
    ASSERT_EQ(hp->text(), "32768");
    const quint64 writes = form1->rom().writeCount();
    clickButton("SaveCMD");

    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(effects.messages[0].text.contains("Current Hit Points")) << effects.messages[0].text.toStdString();
    EXPECT_EQ(form1->rom().writeCount(), writes);
    EXPECT_FALSE(form1->pendingStamp().isPending()) << "no stamp either";
    EXPECT_EQ(info(), "");
    EXPECT_EQ(text("CHPTXT"), "32768");
    EXPECT_EQ(text("STRTXT"), "33");
    EXPECT_EQ(fileBytes(), original);

    // Once corrected, the same edits save.
    typeInto("CHPTXT", "5");
    clickButton("SaveCMD");
    EXPECT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(fileBytes()[0x117206], 5);
    EXPECT_EQ(fileBytes()[0x117224], 33);
}

TEST_F(CharacterEditorTest, FailedWriteIsReportedAndNeverShownAsSaved)
{
    effects.msPerSecond = 1000;
    openEditor(characterRom());
    clickButton("SaveCMD");
    ASSERT_EQ(info(), "The Stats of: Character 0 has been saved.");
    ASSERT_TRUE(form1->pendingStamp().flush().ok());

    attachMemory(form1->rom(), original, 0, QStringLiteral("Disk full"), romPath);
    typeInto("LevelTXT", "5");
    clickButton("SaveCMD");

    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_EQ(effects.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(effects.messages[0].text.contains("Disk full"));
    EXPECT_TRUE(effects.messages[0].text.contains("game.smc"));
    EXPECT_EQ(info(), "") << "the earlier save's message must not stand";
    EXPECT_FALSE(form1->pendingStamp().isPending());
    EXPECT_TRUE(editor->isVisible());
}

} // namespace
