// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/Artwork.h"
#include "data/GameData.h"
#include "core/header/EditorStamp.h"
#include "core/monsters/MonsterEntryRules.h"
#include "support/GuiTestBase.h"
#include "support/MemoryImage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>

#include <algorithm>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;

namespace {

qint64 at(int record, int k) { return RomFixture::monster(record, k); }

// A random image whose records 0 to 2 are quiet: words below the cap, attack animations in the list.
RomFixture quietImage(uint32_t seed)
{
    RomFixture rom = RomFixture::standard(seed);
    for (int record : {0, 1, 2}) {
        rom.monsterWord(record, 8, 1200).monsterWord(record, 12, 300).monsterWord(record, 14, 80);
        rom.monsterByte(record, 16, static_cast<uint8_t>(40 + record));
    }
    return rom;
}

QByteArray withStamp(QByteArray image, const QDateTime& when)
{
    const QByteArray stampBytes = stamp::text(when).toLatin1();
    return image.replace(0x60, stampBytes.size(), stampBytes);
}

bool showsAnimation(const QLabel* label, int index)
{
    const auto argb = [](const QImage& image) { return image.convertToFormat(QImage::Format_ARGB32); };
    return argb(label->pixmap().toImage()) == argb(QPixmap::fromImage(data::attackAnimationPicture(index)).toImage());
}

// The real monster editor, opened from the main window's "Monsters" button.
class MonsterEditorTest : public GuiTestBase {
protected:
    void openEditor(const RomFixture& rom)
    {
        effects.useManualTime();
        openImage(rom);
        effects.messages.clear();
        reopen();
    }

    void reopen()
    {
        editor = openMonsterEditor();
        ASSERT_TRUE(editor && editor->isVisible());
    }

    void expectClosed()
    {
        EXPECT_TRUE(form1->isVisible());
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(editor.isNull());
    }

    template <typename T = QWidget>
    T* control(const QString& name) const
    {
        return find<T>(editor, name);
    }
    QLineEdit* box(const QString& name) const { return control<QLineEdit>(name); }
    QString text(const QString& name) const { return control(name)->property("text").toString(); }
    QListWidget* monsterList() const { return control<QListWidget>(QStringLiteral("MonsterList")); }
    QString info() const { return text(QStringLiteral("InfoLBL")); }
    QString savedText(int row) const
    {
        return "The Stats of: " + monsterList()->item(row)->text() + " has been saved.";
    }
    uint8_t savedByte(int record, int k) const { return uint8_t(fileBytes()[at(record, k)]); }

    void click(const QString& name) { clickOn(editor, name); }
    void retype(const QString& name, const QString& typed) { typeInto(editor, name, typed); }

    void clickListEntry(QListWidget* list, int row)
    {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }

    void selectMonster(int row) { clickListEntry(monsterList(), row); }

    size_t warnings() const
    {
        const QString warning = QString::fromLatin1(monsters::rules::kAttackWarning);
        return std::count_if(effects.messages.begin(), effects.messages.end(),
                             [&](const auto& m) { return m.icon == MessageIcon::Exclamation && m.text == warning; });
    }

    QPointer<MonsterEditor> editor;
};

} // namespace

TEST_F(MonsterEditorTest, OpensShowingMonsterZeroAndNamesEveryFlagBit)
{
    openEditor(quietImage(1).monsterWord(0, 8, 0x1234).monsterWord(0, 10, 0x8000).monsterWord(0, 12, 0xFFFF));
    EXPECT_FALSE(form1->isVisible());
    EXPECT_EQ(editor->windowTitle(), "Monster Editor: KELVARNTHOSIA 5      ");
    ASSERT_EQ(monsterList()->count(), 256);
    EXPECT_TRUE(monsterList()->currentRow() == 0 && monsterList()->item(0)->isSelected());
    // Its own animation, not entry 0.
    EXPECT_EQ(control<QComboBox>("AttackIndexCBO")->currentIndex(), 40);
    EXPECT_TRUE(showsAnimation(control<QLabel>("AttackIndexGFX"), 40));

    // Loaded words above the cap show the cap.
    const std::pair<const char*, const char*> texts[] = {{"MonsterListIndexLBL", "1"},
                                                         {"HPTXT", "4660"},
                                                         {"MPTXT", "32768"},
                                                         {"EXPTXT", "65500"},
                                                         {"AttackIndexTXT", "40"},
                                                         {"LockLBL", "Monster Editor"},
                                                         {"InfoLBL", ""}};
    for (const auto& [name, shown] : texts)
        EXPECT_EQ(text(name), shown) << name;

    const auto entries = [this](const char* name) {
        QStringList out;
        for (int i = 0; i < control<QListWidget>(name)->count(); ++i)
            out.append(control<QListWidget>(name)->item(i)->text());
        return out;
    };
    // Each entry names its bit: the weakness byte ends Wind, Water; the others Water, Wind.
    QStringList elemental, status;
    for (const char* group : {"Weak Against: Wind,Water", "Absorb: Water,Wind", "No DMG from: Water,Wind"}) {
        const QString prefix = QString(group).section(' ', 0, -2) + ' ';
        for (const QString& name : ("Fire,Ice,Bolt,Poison,Holy,Earth," + QString(group).section(' ', -1)).split(','))
            elemental.append(prefix + name);
    }
    for (const char* prefix : {"Start Battle: ", "Strong Against: "})
        for (const QString& name : QString("Mini,Toad,Stone,Death,Blind,Zombie,Poison,Float").split(','))
            status.append(prefix + name);
    EXPECT_EQ(entries("WeakLST"), elemental);
    EXPECT_EQ(entries("StatusConditionsLST"), status);
    EXPECT_EQ(entries("SpAttribLST").join(','),
              "HP Regen,No DMG from Weapons,Unknown,Unknown,Unknown,Unknown,Reduced DMG from Weapons,Wall");
}

TEST_F(MonsterEditorTest, SelectingCancelAndTheCloseBoxDropUnsavedEditsAndKeepTheShownMonsterMarked)
{
    const RomFixture rom = quietImage(2).monsterByte(1, 1, 77).monsterByte(255, 31, 250);
    openEditor(rom);
    QListWidget* list = monsterList();
    retype("STRTXT", "12");
    selectMonster(1);
    EXPECT_EQ(text("MonsterListIndexLBL") + "/" + text("STRTXT"), "33/77");
    // Ctrl+click on the shown monster, or a click below the last name, leaves it marked.
    const QPoint shown = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, shown);
    EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(1)});
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(text("MonsterListIndexLBL") + "/" + text("LevelTXT"), "8161/250");
    list->setFixedHeight(list->sizeHintForRow(0) * 300);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, list->viewport()->height() - 3));
    EXPECT_EQ(list->currentRow(), 255);
    EXPECT_EQ(list->selectedItems(), QList<QListWidgetItem*>{list->item(255)});

    retype("HPTXT", "999");
    QTest::mouseMove(control("Picture1"));
    click("CancelCMD");
    expectClosed();
    effects.advance(10); // the help text's wait ends after its window
    reopen();
    EXPECT_EQ(text("HPTXT"), "1200");
    retype("HPTXT", "999");
    editor->close(); // the window's own close box
    expectClosed();
    EXPECT_EQ(fileBytes(), rom.bytes());
}

TEST_F(MonsterEditorTest, SavingEveryRecordUneditedChangesOnlyTheStampAndCappedWords)
{
    RomFixture rom = quietImage(2024);
    rom.monsterWord(3, 8, 0xFFFF).monsterWord(4, 12, 65501).monsterWord(5, 14, 65500).monsterByte(6, 16, 208);
    openEditor(rom);
    QByteArray expected = withStamp(rom.bytes(), effects.clock);
    size_t beyondList = 0;
    for (int record = 0; record < 256; ++record) {
        for (int k : {8, 12, 14}) {
            const uint16_t word = uint8_t(rom.bytes()[at(record, k)]) | uint8_t(rom.bytes()[at(record, k + 1)]) << 8;
            if (word > 65500)
                expected.replace(at(record, k), 2, QByteArray::fromHex("dcff"));
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

TEST_F(MonsterEditorTest, SaveWritesTheStampThenTheRoundedValuesOrNothingAtAll)
{
    const RomFixture rom = quietImage(4);
    openEditor(rom);
    selectMonster(1);
    // Fractions round, halves to the even neighbour.
    const std::pair<const char*, const char*> typed[] = {{"HPTXT", "12.5"},   {"EXPTXT", "13.5"},
                                                         {"GilTXT", "1000"},  {"STRTXT", "77"},
                                                         {"AGITXT", "0"},     {"DEFTXT", "025"},
                                                         {"EvadeTXT", "1.2"}, {"MagicPowerTXT", "255"},
                                                         {"LevelTXT", "42"}};
    for (const auto& [name, value] : typed)
        retype(name, value);

    // A text that is not a number its field can hold refuses the whole save,
    // stamp included. Only the program can put in a minus sign or an attack index.
    const std::tuple<const char*, const char*, const char*> refused[] = {{"AttackIndexTXT", "256", "Attack Index"},
                                                                         {"LevelTXT", "-7", "Level"},
                                                                         {"AGITXT", ".", "Agility"},
                                                                         {"GilTXT", "1.2.3", "Gil"}};
    for (const auto& [name, bad, label] : refused) {
        const QString good = text(name);
        if (QString(bad).contains('-') || box(name)->isReadOnly())
            box(name)->setText(bad);
        else
            retype(name, bad);
        effects.messages.clear();
        click("SaveCMD");
        EXPECT_EQ(fileBytes(), rom.bytes()) << name;
        expectMessage(1, MessageIcon::Exclamation, {});
        EXPECT_TRUE(effects.messages[0].text.startsWith(QString("%1 cannot hold \"%2\"").arg(label, bad)))
            << effects.messages[0].text.toStdString();
        box(name)->setText(good);
    }

    click("SaveCMD");
    QByteArray expected = withStamp(rom.bytes(), effects.clock);
    const std::pair<int, uint8_t> bytes[] = {{8, 12}, {9, 0},  {12, 14}, {13, 0}, {14, 0xE8}, {15, 0x03},
                                             {0, 0},  {1, 77}, {2, 255}, {3, 1},  {4, 25},    {31, 42}};
    for (const auto& [k, v] : bytes)
        expected[at(1, k)] = char(v);
    EXPECT_EQ(fileBytes(), expected);
    EXPECT_EQ(info(), savedText(1));

    // The stamp goes first, then the record, words first.
    MemoryDevice* memory = attachMemory(form1->session().rom(), expected, -1, QStringLiteral("Disk full"), romPath);
    click("SaveCMD");
    std::vector<qint64> offsets = {0x60};
    for (int k : {12, 14, 8, 0, 1, 2, 3, 4, 6, 7, 21, 23, 16, 25, 28, 29, 31})
        offsets.push_back(at(1, k));
    EXPECT_EQ(memory->writeOffsets, offsets);

    memory = attachMemory(form1->session().rom(), rom.bytes(), 0, QStringLiteral("Disk full"), romPath);
    click("SaveCMD");
    expectMessage(2, MessageIcon::Exclamation, {"Disk full"});
    EXPECT_EQ(info(), ""); // the earlier "has been saved" goes too
    EXPECT_EQ(memory->data(), rom.bytes());
}

TEST_F(MonsterEditorTest, EachBoxHoldsTypingToItsLimitAndCap)
{
    openEditor(quietImage(8));
    const std::tuple<const char*, const char*, const char*> cases[] = {
        // A long run of nines meets each box's typing limit, then its cap.
        {"LevelTXT", "9999999", "99"},
        {"HPTXT", "9999999", "65500"},
        {"EXPTXT", "9999999", "65500"},
        {"GilTXT", "9999999", "65500"},
        {"STRTXT", "9999999", "255"},
        {"AGITXT", "9999999", "255"},
        {"DEFTXT", "9999999", "255"},
        {"EvadeTXT", "9999999", "255"},
        {"MagicPowerTXT", "9999999", "255"},
        {"STRTXT", "255", "255"},
        {"HPTXT", "65501", "65500"},
        {"HPTXT", "65500", "65500"},
        {"STRTXT", "1a-,x2", "12"},
        {"NameIndexTXT", "7", nullptr},
        {"UnknownTXT", "7", nullptr},
        {"MPTXT", "7", nullptr},
        {"AttackIndexTXT", "7", nullptr}, // nullptr: takes no typing
        // Kept as typed: Save reads them as their leading number.
        {"DEFTXT", "025", "025"},
        {"DEFTXT", "2.5", "2.5"},
        {"AGITXT", ".", "."},
        {"GilTXT", "1.2.3", "1.2.3"}};
    for (const auto& [name, typed, shown] : cases) {
        const QString before = text(name);
        retype(name, typed);
        EXPECT_EQ(text(name), shown ? QString(shown) : before) << name << " " << typed;
    }

    // Clearing leaves "0", which gives way to what is typed next instead of leading it.
    retype("HPTXT", "");
    QTest::keyClick(box("HPTXT"), Qt::Key_Delete);
    EXPECT_EQ(text("HPTXT"), "0");
    QTest::keyClicks(box("HPTXT"), "12345");
    EXPECT_EQ(text("HPTXT"), "12345");
}

TEST_F(MonsterEditorTest, FlagListsAndSpecialBitBoxesShowTheirBytesAndComeBackToThem)
{
    RomFixture rom = quietImage(10);
    for (int k : {6, 7, 21, 23, 28, 29})
        rom.monsterByte(0, k, 0).monsterByte(1, k, 0xFF);
    openEditor(rom.monsterByte(0, 23, 0x05).monsterByte(0, 21, 0x80).monsterByte(0, 25, 0x81).monsterByte(1, 25, 152));
    auto* weak = control<QListWidget>("WeakLST");
    auto* status = control<QListWidget>("StatusConditionsLST");
    // Ticks of Hide HP, Unknown 1, Unknown 2, then the special bit number.
    const auto ticks = [this] {
        QString out;
        for (const char* name : {"HideHPCHK", "Unknown1CHK", "Unknown2CHK"})
            out += control<QCheckBox>(name)->isChecked() ? '1' : '0';
        return out + " " + text("SpBitLBL");
    };
    for (int i = 0; i < 24; ++i)
        EXPECT_EQ(weak->item(i)->isSelected(), i == 0 || i == 2 || i == 15) << i; // 15 is "Absorb: Wind"
    selectMonster(1);
    EXPECT_EQ(weak->selectedItems().size(), 24);
    EXPECT_EQ(ticks(), "111 152"); // ticking on load leaves the stored byte
    selectMonster(0);
    EXPECT_EQ(weak->selectedItems().size() + status->selectedItems().size(), 3); // nothing left from monster 1
    EXPECT_TRUE(weak->currentRow() == 0 && status->currentRow() == 0);
    EXPECT_EQ(ticks(), "100 129");

    clickListEntry(weak, 1);   // Weak Against: Ice on
    clickListEntry(weak, 0);   // Weak Against: Fire off
    clickListEntry(weak, 23);  // No DMG from: Wind
    clickListEntry(status, 9); // Strong Against: Toad
    clickListEntry(status, 7); // Start Battle: Float
    // A click that slips over three more entries before the release switches only its own.
    auto* special = control<QListWidget>("SpAttribLST");
    const auto centre = [special](int row) { return special->visualItemRect(special->item(row)).center(); };
    QTest::mousePress(special->viewport(), Qt::LeftButton, {}, centre(7));
    for (int row : {6, 5, 4})
        QTest::mouseMove(special->viewport(), centre(row));
    QTest::mouseRelease(special->viewport(), Qt::LeftButton, {}, centre(4));
    click("Unknown1CHK");
    EXPECT_EQ(ticks(), "110 137");
    click("HideHPCHK");
    EXPECT_EQ(ticks(), "010 9");
    click("SaveCMD");
    const std::pair<int, uint8_t> saved[] = {{23, 0x06}, {21, 0x80}, {6, 0x80}, {7, 0x02},
                                             {29, 0x80}, {28, 0x80}, {25, 9}};
    for (const auto& [k, v] : saved)
        EXPECT_EQ(savedByte(0, k), v) << k;
}

TEST_F(MonsterEditorTest, AttackIndex207IsTheLastEntryAndAStoredIndexBeyondItWarnsAndIsKept)
{
    openEditor(quietImage(13).monsterByte(1, 16, 208).monsterByte(2, 16, 208).monsterByte(3, 16, 255));
    auto* combo = control<QComboBox>("AttackIndexCBO");
    auto* picture = control<QLabel>("AttackIndexGFX");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_End);
    EXPECT_EQ(combo->currentIndex(), 207);
    EXPECT_EQ(combo->currentText(), "Glitch-Crashes Game");
    EXPECT_EQ(text("AttackIndexTXT"), "207");
    EXPECT_TRUE(showsAnimation(picture, 207));
    click("SaveCMD");
    EXPECT_EQ(savedByte(0, 16), 207);

    // Entry and picture keep the last animation shown; the box and Save keep 208.
    selectMonster(1);
    EXPECT_TRUE(warnings() == 1u && effects.messages.size() == 1u);
    EXPECT_EQ(text("AttackIndexTXT"), "208");
    EXPECT_EQ(combo->currentIndex(), 207);
    EXPECT_TRUE(showsAnimation(picture, 207));
    click("SaveCMD");
    EXPECT_EQ(savedByte(1, 16), 208);
    selectMonster(2); // the same text again still warns
    selectMonster(3);
    EXPECT_EQ(warnings(), 3u);
    EXPECT_EQ(text("AttackIndexTXT"), "255");

    // Picking the entry the combo already shows takes it in place of the stored byte.
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_F4);
    QAbstractItemView* popup = combo->view();
    ASSERT_TRUE(popup->isVisible());
    const QModelIndex shown = popup->model()->index(207, 0);
    popup->scrollTo(shown);
    QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(shown).center());
    EXPECT_EQ(text("AttackIndexTXT"), "207");
    click("SaveCMD");
    EXPECT_EQ(savedByte(3, 16), 207);
    EXPECT_EQ(warnings(), 3u);
}

TEST_F(MonsterEditorTest, LockingDisablesEditingAndTheInfoLineShowsEachTextForItsTime)
{
    openEditor(quietImage(14));
    const std::pair<const char*, const char*> help[] = {
        {"AttackIndexGFX", "This displays the Attack Animations for when the monster uses a regular attack."},
        {"Dump2TXT", "This dumps the current monster's stats into a seperate text file."},
        {"LockControlsCMD", "This locks the Attack Animation index controls so you can't edit them."},
        {"NameIndexTXT", "You can't directly edit the Name Index value."},
        {"Picture1", "This displays the Monster Graphic.  This feature is not implimented yet."},
        {"MonsterList", "Monster names come from this editor's own name table, listed in the game's record order."}};
    for (const auto& [name, shown] : help) {
        QTest::mouseMove(control(name));
        EXPECT_EQ(info(), shown) << name;
    }

    const QStringList editing = {"LevelTXT",       "HPTXT",
                                 "MPTXT",          "EXPTXT",
                                 "GilTXT",         "STRTXT",
                                 "AGITXT",         "DEFTXT",
                                 "EvadeTXT",       "MagicPowerTXT",
                                 "UnknownTXT",     "WeakLST",
                                 "SpAttribLST",    "StatusConditionsLST",
                                 "AttackIndexCBO", "AttackIndexTXT",
                                 "Unknown1CHK",    "Unknown2CHK",
                                 "HideHPCHK"};
    const auto enabled = [this](const QStringList& names, bool on) {
        for (const QString& name : names)
            EXPECT_EQ(control(name)->isEnabled(), on) << name.toStdString();
    };
    EXPECT_FALSE(box("MPTXT")->isEnabled());
    retype("HPTXT", "4321");
    click("LockControlsCMD");
    EXPECT_EQ(text("LockLBL"), "Monster Editor - Controls Locked");
    enabled(editing + QStringList{"NameIndexTXT"}, false);
    enabled({"MonsterList", "SaveCMD", "CancelCMD", "Dump2TXT", "LockControlsCMD", "TabStrip1"}, true);
    click("SaveCMD");
    EXPECT_EQ(fileBytes().mid(at(0, 8), 2), QByteArray::fromHex("e110"));
    EXPECT_EQ(info(), savedText(0));

    // Unlocking enables magic points too; the name index stays off until the window opens again.
    click("LockControlsCMD");
    EXPECT_EQ(text("LockLBL"), "Monster Editor");
    enabled(editing, true);
    EXPECT_TRUE(box("MPTXT")->isReadOnly());
    EXPECT_FALSE(box("NameIndexTXT")->isEnabled());
    QTest::mouseMove(box("NameIndexTXT")); // a disabled box shows no help
    effects.advance(6);
    EXPECT_EQ(info(), savedText(0));
    QTest::mouseMove(control("Dump2TXT"));
    EXPECT_EQ(info(), help[1].second);
    effects.advance(9.9);
    EXPECT_EQ(info(), help[1].second); // the saved text's time has passed, the newer one's has not
    effects.advance(0.1);
    EXPECT_EQ(info(), "");
}

TEST_F(MonsterEditorTest, DumpsTheShownValuesIntoTheProgramFolderOrBesideTheImageOrSaysWhyNot)
{
    RomFixture rom = RomFixture::standard();
    const std::pair<int, uint8_t> bytes[] = {{31, 12}, {30, 3}, {1, 20},  {0, 7},   {4, 9},
                                             {3, 5},   {2, 11}, {5, 200}, {16, 42}, {25, 0x80}};
    for (const auto& [k, v] : bytes)
        rom.monsterByte(0, k, v);
    openEditor(rom.monsterWord(0, 12, 100).monsterWord(0, 14, 50).monsterWord(0, 8, 4660));
    retype("GilTXT", "77"); // not saved: dumped all the same
    click("HideHPCHK");     // cleared
    const QString name = data::monsterNames().at(0);
    const QString path = QDir(effects.folder).filePath(name + ".txt");
    ASSERT_TRUE(RomFixture(5000).writeTo(path)); // an older, longer dump

    click("Dump2TXT");
    const QByteArray expected =
        QStringLiteral(
            "Kelvarnthosia 5 Monster Editor - Stats of: %1\r\nDumped on: %2\r\n"
            "ROM Filename: %3\r\n\r\n\r\nLevel: 12\r\nName Index: 3\r\n"
            "EXP: 100\r\nGil: 77\r\nHP: 4660\r\nStrength: 20\r\nSpeed: 7\r\n"
            "Defense: 9\r\nEvade%: 5\r\nMagic Power: 11\r\nUnknown: 200\r\n"
            "Attack Animation Index: 42 - Reverse Grey Curl Slash\r\n"
            "Hide HP from Scan: No \r\n\r\n"
            "Weaknesses won't be dumped in this release, perhaps in a future release.")
            .arg(name, stamp::dateTimeText(effects.clock, QLocale()), QDir::toNativeSeparators(romPath))
            .toLatin1();
    EXPECT_EQ(readFile(path), expected + QByteArray(1024 - expected.size(), ' '));

    const QString shown = "The stats of " + name + " was saved to " + QDir::toNativeSeparators(path);
    EXPECT_EQ(info(), shown);
    effects.advance(14.9); // ten seconds are over, fifteen are not
    EXPECT_EQ(info(), shown);
    effects.advance(0.1);
    EXPECT_EQ(info(), "");

    click("HideHPCHK");
    click("Dump2TXT");
    EXPECT_TRUE(readFile(path).contains("Hide HP from Scan: Yes\r\n"));

    // The program's folder cannot be written (a file stands in its place, which stops root
    // too): the dump goes beside the image and says so.
    retype("GilTXT", "78");
    effects.folder = romPath;
    click("Dump2TXT");
    EXPECT_EQ(info(), shown + " (the program's folder cannot be written)");
    EXPECT_TRUE(readFile(path).contains("Gil: 78\r\n"));

    // Neither folder takes it (a link to no file, never written through), then a name no
    // file system takes: the editor stays with its edits and says which file failed and why.
    ASSERT_TRUE(QFile::remove(path) && QFile::link(tempPath("nowhere"), path));
    const auto expectError = [this](const QString& file) {
        expectMessage(1, MessageIcon::Exclamation, {QDir::toNativeSeparators(file)});
        const QString& message = effects.messages[0].text;
        EXPECT_TRUE(message.startsWith("An Error has occured.\n") && !message.contains("Closing"))
            << message.toStdString();
        effects.messages.clear();
        EXPECT_TRUE(editor && editor->isVisible());
        EXPECT_EQ(text("GilTXT") + info(), "78");
    };
    click("Dump2TXT");
    expectError(path);
    selectMonster(228);
    ASSERT_EQ(monsterList()->currentItem()->text(), "????");
    retype("GilTXT", "78");
    click("Dump2TXT");
    expectError(QDir(effects.folder).filePath("????.txt"));
    EXPECT_EQ(QDir(tempPath("")).entryList(QDir::Files), QStringList{"game.smc"});
    EXPECT_EQ(fileBytes(), rom.bytes()); // the image is not touched
}
