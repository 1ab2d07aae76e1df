// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/PendingStamp.h"
#include "support/GuiTestBase.h"
#include "support/MemoryImage.h"

#include <QComboBox>
#include <QLabel>
#include <QScrollBar>
#include <QTabBar>
#include <QWheelEvent>

#include <functional>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;

namespace {

const QString kStamp = QStringLiteral("Zorvek Multi Editor | 0.65 | 12/5/2002, 4:37:57 PM");
constexpr qint64 kStampOffset = 0x60;

// Every shown field: its place in a record and its value in slot s of
// characterRom (base + s). The 18 that a save writes come first, in the order
// it writes them, with what a test enters (the text typed, or nullptr to pick
// the list entry) and the value that must be stored.
struct Field {
    const char* control;
    int k, width, base;
    const char* typed = nullptr;
    int stored = -1;
};
const Field kFields[] = {
    {"LevelTXT", 2, 1, 10, "42", 42},
    {"CHPTXT", 6, 2, 100, "1234", 1234},
    {"MHPTXT", 8, 2, 200, "4321", 4321},
    {"CMPTXT", 10, 2, 30, "300", 300},
    {"MMPTXT", 12, 2, 40, "999", 999},
    {"STRTXT", 36, 1, 20, "7.5", 8}, // halves round to even
    {"AGITXT", 37, 1, 50, "6.5", 6},
    {"VITTXT", 38, 1, 70, "300", 255},
    {"MagicPowerTXT", 39, 1, 90, "200", 200},
    {"RHCBO", 19, 1, 0x02, nullptr, 0x6E},
    {"LHCBO", 20, 1, 0x31, nullptr, 0x02},
    {"HeadCBO", 14, 1, 0x80, nullptr, 0xFF},
    {"BodyCBO", 15, 1, 0xA1, nullptr, 0x00},
    {"ArmsCBO", 16, 1, 0xC1, nullptr, 0xD0},
    {"BattleCommand1CBO", 22, 1, 0x01, nullptr, 0x4D},
    {"BattleCommand2CBO", 23, 1, 0x0A, nullptr, 0x9F},
    {"BattleCommand3CBO", 24, 1, 0x28, nullptr, 0x00},
    {"BattleCommand4CBO", 25, 1, 0x80, nullptr, 0x24},
    {"ActorTXT", 0, 1, 1},
    {"EXPTXT", 3, 2, 1000},
    {"EquipBitTXT", 21, 1, 0x10},
};

QByteArray withStamp(QByteArray bytes) { return bytes.replace(kStampOffset, kStamp.size(), kStamp.toLatin1()); }

// Distinct, in-range values in every slot over random bytes everywhere else.
RomFixture characterRom(uint32_t seed = 3)
{
    RomFixture rom = RomFixture::standard(seed);
    for (int s = 0; s < 4; ++s)
        for (const Field& f : kFields)
            f.width == 2 ? rom.characterWord(s, f.k, f.base + s) : rom.characterByte(s, f.k, f.base + s);
    return rom;
}

class CharacterEditorTest : public GuiTestBase {
protected:
    void openEditor(const RomFixture& image)
    {
        openImage(image);
        rom = image;
        showEditor();
    }

    void showEditor()
    {
        editor = openCharacterEditor();
        ASSERT_NE(editor, nullptr);
        // Focus, which the wheel over the slot bar depends on, lives in the active window.
        editor->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(editor));
    }

    QLineEdit* box(const char* name) { return find<QLineEdit>(editor, QLatin1String(name)); }
    QComboBox* list(const char* name) { return find<QComboBox>(editor, QLatin1String(name)); }
    QString text(const char* name) { return box(name)->text(); }
    QScrollBar* scroll() { return find<QScrollBar>(editor, QStringLiteral("Scroll")); }
    QTabBar* tabs() { return find<QTabBar>(editor, QStringLiteral("TabStrip1")); }
    QString info() { return find<QLabel>(editor, QStringLiteral("InfoLBL"))->text(); }
    void clickButton(const char* name) { clickOn(editor, QLatin1String(name)); }
    void clickTab(int index) { QTest::mouseClick(tabs(), Qt::LeftButton, {}, tabs()->tabRect(index).center()); }
    bool waitForStamp()
    {
        return QTest::qWaitFor([&] { return !form1->session().pendingStamp().isPending(); }, 5000);
    }

    void typeInto(const char* name, const QString& typed) { GuiTestBase::typeInto(editor, QLatin1String(name), typed); }

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

    // Runs the deferred delete of a closed editor.
    void closeEditor()
    {
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        editor = nullptr;
    }

    // The slot number, then every field as shown; a list shows its byte as its entry position.
    QStringList shownValues()
    {
        QStringList values{text("CharIndexTXT")};
        for (const Field& f : kFields) {
            auto* l = qobject_cast<QComboBox*>(find<QWidget>(editor, f.control));
            values << (l ? QString::number(l->currentIndex()) : text(f.control));
        }
        return values;
    }

    static QStringList storedValues(int s)
    {
        QStringList values{QString::number(s)};
        for (const Field& f : kFields)
            values << QString::number(f.base + s);
        return values;
    }

    CharacterEditor* editor = nullptr;
    RomFixture rom;
};

TEST_F(CharacterEditorTest, OpensOnSlotZeroAndOnlyTheScrollBarChangesWhatIsShown)
{
    openEditor(characterRom());
    EXPECT_FALSE(form1->isVisible());
    EXPECT_TRUE(editor->windowTitle().startsWith("Character Editor: KELVARNTHOSIA 5"));
    EXPECT_EQ(shownValues(), storedValues(0));
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(find<QLabel>(editor, QStringLiteral("Image%1").arg(i))->pixmap().size(), QSize(16, 16));

    // Tabs only swap the frames: no value changes and nothing is read again.
    typeInto("STRTXT", "55");
    list("HeadCBO")->setCurrentIndex(3);
    const QStringList before = shownValues();
    const quint64 reads = form1->session().rom().readCount();
    for (int tab : {1, 0}) {
        clickTab(tab);
        EXPECT_EQ(find<QWidget>(editor, "StatFR")->isVisible(), tab == 0);
        EXPECT_EQ(find<QWidget>(editor, "EqFR")->isVisible(), tab == 1);
        EXPECT_EQ(shownValues(), before);
    }
    EXPECT_EQ(form1->session().rom().readCount(), reads);
    wheelOnScroll(-1); // over the bar without its focus: the slot and the edits stay
    EXPECT_EQ(shownValues(), before);

    // Every way of stepping goes the way a horizontal bar goes. Turning the
    // arrow keys round once reversed Page Up/Down and the wheel as well.
    const QPoint rightArrow(scroll()->width() - 4, scroll()->height() / 2);
    const std::pair<std::function<void()>, int> steps[] = {
        {[&] { QTest::mouseClick(scroll(), Qt::LeftButton, {}, rightArrow); }, 1},
        {[&] { pressOnScroll(Qt::Key_End); }, 3},
        {[&] { pressOnScroll(Qt::Key_Left); }, 2},
        {[&] { pressOnScroll(Qt::Key_Home); }, 0},
        {[&] { pressOnScroll(Qt::Key_PageDown); }, 1},
        {[&] { pressOnScroll(Qt::Key_Down); }, 2},
        {[&] { wheelOnScroll(-1); }, 3},
        {[&] { wheelOnScroll(1); }, 2},
        {[&] { pressOnScroll(Qt::Key_Up); }, 1},
        {[&] { pressOnScroll(Qt::Key_PageUp); }, 0},
        {[&] { pressOnScroll(Qt::Key_Right); }, 1},
    };
    for (const auto& [step, slot] : steps) {
        step();
        EXPECT_EQ(shownValues(), storedValues(slot)); // on slot 0 again: the stored values, not the edits
    }
    EXPECT_EQ(fileBytes(), rom.bytes());
}

TEST_F(CharacterEditorTest, BoxesTakeDigitsToTheirLimitAndOnlyTheAttributesCapAt255)
{
    openEditor(characterRom());
    // {box, what is kept of "1a-, +x2345", what "300" shows}
    const std::tuple<const char*, const char*, const char*> boxes[] = {
        {"LevelTXT", "12", "30"}, {"CHPTXT", "1234", "300"}, {"MHPTXT", "1234", "300"},
        {"CMPTXT", "123", "300"}, {"MMPTXT", "123", "300"},  {"STRTXT", "123", "255"},
        {"AGITXT", "123", "255"}, {"VITTXT", "123", "255"},  {"MagicPowerTXT", "123", "255"}};
    for (const auto& [name, kept, afterThreeHundred] : boxes) {
        // An emptied box shows a selected "0", so the digits typed next replace
        // it instead of following it into the length limit ("04", the 5 lost).
        typeInto(name, "");
        QTest::keyClick(box(name), Qt::Key_Backspace);
        EXPECT_EQ(text(name), "0") << name;
        QTest::keyClicks(box(name), "1a-, +x2345");
        EXPECT_EQ(text(name), kept) << name;
        typeInto(name, "300");
        EXPECT_EQ(text(name), afterThreeHundred) << name;
    }
    // An edit past the box's own checks (Qt's paste slot) is undone, and not capped.
    typeInto("STRTXT", "12");
    QGuiApplication::clipboard()->setText("3456");
    box("STRTXT")->paste();
    EXPECT_EQ(text("STRTXT"), "12");
    for (const char* name : {"CharIndexTXT", "EXPTXT", "ActorTXT", "EquipBitTXT"}) {
        const QString before = text(name);
        typeInto(name, "7");
        QTest::keyClick(box(name), Qt::Key_Backspace);
        EXPECT_EQ(text(name), before) << name;
    }
    EXPECT_EQ(fileBytes(), rom.bytes());
}

TEST_F(CharacterEditorTest, SaveWritesTheEighteenFieldsInOrderAndStampsWhenItsMessageEnds)
{
    effects.msPerSecond = 100; // the ten seconds of the message last one
    openEditor(characterRom());
    pressOnScroll(Qt::Key_End); // the last slot, where a wrong stride shows most
    RomFixture expected = rom;
    std::vector<qint64> order;
    for (const Field& f : kFields) {
        if (f.typed)
            typeInto(f.control, f.typed);
        else if (f.stored >= 0)
            list(f.control)->setCurrentIndex(f.stored);
        if (f.stored >= 0)
            expected.valueAt(order.emplace_back(0x1172F0 + f.k), f.width, f.stored);
    }
    clickButton("SaveCMD");
    EXPECT_EQ(info(), "The Stats of: Character 3 has been saved.");
    EXPECT_EQ(text("STRTXT"), "7.5") << "the box keeps what was typed";
    EXPECT_EQ(fileBytes(), expected.bytes()) << "the record at once";
    ASSERT_TRUE(QTest::qWaitFor([&] { return fileBytes() != expected.bytes(); }, 5000));
    EXPECT_EQ(info(), "") << "the stamp waits for the message to end";
    EXPECT_EQ(fileBytes(), withStamp(expected.bytes()));

    // The same save into an image that records its writes: each field once, in order, the stamp last.
    MemoryDevice* memory = attachMemory(form1->session().rom(), rom.bytes(), -1, QStringLiteral("Disk full"), romPath);
    clickButton("SaveCMD");
    ASSERT_TRUE(form1->session().pendingStamp().flush().ok());
    order.push_back(kStampOffset);
    EXPECT_EQ(memory->writeOffsets, order);
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(CharacterEditorTest, OddStoredValuesShowAsStoredAndSaveBackUnchangedButCapped)
{
    openEditor(characterRom()
                   .characterByte(1, 2, 150)
                   .characterWord(1, 3, 0xFFFF)
                   .characterWord(1, 6, 0x8000)
                   .characterWord(1, 8, 0x2710)
                   .characterWord(1, 10, 0xFFFB)
                   .characterWord(1, 12, 0x7FFF)
                   .characterByte(1, 24, 0xA5)
                   .characterByte(1, 25, 0xFF));
    scroll()->setValue(1);
    const std::pair<const char*, const char*> shownAs[] = {
        {"LevelTXT", "150"}, // longer than can be typed, shown in full
        {"EXPTXT", "-1"},    {"CHPTXT", "-32768"}, {"MHPTXT", "9999"}, {"CMPTXT", "-5"}, {"MMPTXT", "9999"}};
    for (const auto& [name, want] : shownAs)
        EXPECT_EQ(text(name), want) << name;
    QComboBox* third = list("BattleCommand3CBO");
    EXPECT_EQ(third->count(), 161);
    EXPECT_EQ(third->currentText(), "Unlisted command (0xA5)");
    EXPECT_EQ(list("BattleCommand4CBO")->currentText(), "Unlisted command (0xFF)");
    EXPECT_EQ(fileBytes(), rom.bytes()) << "the cap changes only what is shown";

    clickButton("SaveCMD");
    ASSERT_TRUE(waitForStamp());
    // Level, EXP, -32768, -5 and both unlisted commands as they were.
    EXPECT_EQ(fileBytes(), withStamp(RomFixture(rom).word16At(0x117258, 9999).word16At(0x11725C, 9999).bytes()));

    typeInto("LevelTXT", "42");
    // Equipment entry 0x81 is saved as 0x81, picked away and back by keys.
    clickTab(1);
    QComboBox* head = list("HeadCBO");
    ASSERT_EQ(head->currentIndex(), 0x81);
    for (const auto& [key, stored] : {std::pair{Qt::Key_Up, 0x80}, std::pair{Qt::Key_Down, 0x81}}) {
        QTest::keyClick(head, key);
        clickButton("SaveCMD");
        EXPECT_EQ(static_cast<uint8_t>(fileBytes()[0x11725E]), stored);
    }

    third->setCurrentIndex(5);
    clickButton("SaveCMD");
    EXPECT_EQ(fileBytes().mid(0x117252, 1).toHex() + fileBytes().mid(0x117268, 2).toHex(), "2a05ff");
    scroll()->setValue(0);
    EXPECT_EQ(third->count(), 160) << "the extra entry belongs to the slot that had it";
    scroll()->setValue(1);
    EXPECT_EQ(third->currentIndex(), 5);
}

TEST_F(CharacterEditorTest, CancelAndTheCloseBoxWriteNothingAndADueStampLandsInTheSavedImageOnly)
{
    effects.msPerSecond = 1000; // the wait outlasts each step below
    openEditor(characterRom());
    const auto closeBy = [&](bool cancel) {
        clickTab(1);
        typeInto("STRTXT", "99");
        if (cancel)
            clickButton("CancelCMD");
        else
            editor->close();
        closeEditor();
        EXPECT_EQ(form1->characterEditor(), nullptr);
        EXPECT_TRUE(form1->isVisible());
        EXPECT_EQ(fileBytes(), rom.bytes());
    };
    scroll()->setValue(2);
    closeBy(true);
    EXPECT_EQ(form1->session().rom().writeCount(), 0u);
    EXPECT_FALSE(form1->session().pendingStamp().isPending());

    // Opened again it starts afresh. Saved, then closed by the close box during the wait.
    showEditor();
    EXPECT_EQ(shownValues(), storedValues(0));
    EXPECT_EQ(tabs()->currentIndex(), 0);
    clickButton("SaveCMD");
    closeBy(false);
    EXPECT_TRUE(form1->session().pendingStamp().isPending());

    // Another image opened before the wait ends: the stamp goes to the saved one first.
    const RomFixture other = characterRom(99);
    const QString otherPath = tempPath("other.smc");
    ASSERT_TRUE(other.writeTo(otherPath));
    const QString savedPath = romPath;
    openPath(otherPath);
    EXPECT_EQ(readFile(savedPath), withStamp(rom.bytes()));
    EXPECT_EQ(readFile(otherPath), other.bytes());

    // Saved from the other image, then Close ROM at once.
    showEditor();
    clickButton("SaveCMD");
    clickButton("CancelCMD");
    closeEditor();
    trigger("mnuClose");
    EXPECT_EQ(readFile(otherPath), withStamp(other.bytes()));
    EXPECT_EQ(readFile(savedPath), withStamp(rom.bytes()));
    EXPECT_TRUE(effects.messages.empty());
}

TEST_F(CharacterEditorTest, RefusedOrFailedSaveIsReportedAndNeverShownAsSaved)
{
    effects.msPerSecond = 1000;
    openEditor(characterRom().characterWord(0, 6, 0x8000));
    typeInto("STRTXT", "33");
    // Deleting the minus sign of a loaded -32768 leaves a number no word can
    // hold; a lone point is no number; a byte holds no minus sign (only the
    // program can put one in).
    const std::tuple<const char*, const char*, const char*, const char*, std::function<void()>> refused[] = {
        {"CHPTXT", "32768", "Current Hit Points", "5",
         [&] {
             box("CHPTXT")->home(false);
             QTest::keyClick(box("CHPTXT"), Qt::Key_Delete);
         }},
        {"LevelTXT", ".", "Level", "9", [&] { typeInto("LevelTXT", "."); }},
        {"VITTXT", "-7", "Vitality", "7", [&] { box("VITTXT")->setText("-7"); }}};
    for (const auto& [name, bad, label, good, enter] : refused) {
        enter();
        ASSERT_EQ(text(name), bad);
        effects.messages.clear();
        clickButton("SaveCMD");
        expectMessage(1, MessageIcon::Exclamation, {"\nNothing has been saved."});
        const QString& refusal = effects.messages[0].text;
        EXPECT_TRUE(refusal.startsWith(QString("%1 cannot be saved as \"%2\"").arg(label, bad))
                    && refusal.endsWith("\nNothing has been saved."))
            << refusal.toStdString();
        EXPECT_EQ(fileBytes(), rom.bytes());
        EXPECT_FALSE(form1->session().pendingStamp().isPending()) << "no stamp either";
        EXPECT_EQ(text("STRTXT"), "33") << "the edits stay to be corrected";
        typeInto(name, good);
    }

    // After a save that stands, writes fail from the fourth of the next one:
    // nothing is tried after it, writing back the three before it fails too,
    // and nothing says "saved".
    clickButton("SaveCMD");
    ASSERT_EQ(info(), "The Stats of: Character 0 has been saved.");
    ASSERT_TRUE(form1->session().pendingStamp().flush().ok());
    MemoryDevice* memory = attachMemory(form1->session().rom(), rom.bytes(), 3, QStringLiteral("Disk full"), romPath);
    typeInto("LevelTXT", "5");
    const quint64 writes = form1->session().rom().writeCount();
    clickButton("SaveCMD");
    expectMessage(2, MessageIcon::Exclamation,
                  {"game.smc", "Disk full", "failed too (Disk full): the image may hold part"});
    EXPECT_EQ(info(), "");
    EXPECT_FALSE(form1->session().pendingStamp().isPending());
    EXPECT_EQ(form1->session().rom().writeCount() - writes, 8u);
    EXPECT_EQ(memory->writeOffsets, (std::vector<qint64>{0x117202, 0x117206, 0x117208}));
    EXPECT_TRUE(editor->isVisible());
}

} // namespace
