// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/MonsterTable.h"
#include "data/GameData.h"
#include "support/GuiTestBase.h"
#include "support/MemoryImage.h"
#include "support/OutsideWrite.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>

using namespace zorvek;
using namespace zorvek::ui;
using namespace zorvek::test;
namespace mt = zorvek::table::monstertable;

namespace {

qint64 at(int record, int k) { return RomFixture::monster(record, k); }

uint16_t wordAt(const QByteArray& image, qint64 offset)
{
    return static_cast<uint16_t>(uint8_t(image[offset]) | uint8_t(image[offset + 1]) << 8);
}

// The monster table window, opened from the main window's Stuff menu.
class MonsterTableTest : public GuiTestBase {
protected:
    void openTable(const RomFixture& rom)
    {
        openImage(rom);
        effects.messages.clear();
        reopenTable();
    }

    void reopenTable()
    {
        trigger(QStringLiteral("mnuMonsterTable"));
        table = form1->monsterTable();
        ASSERT_TRUE(table && table->isVisible());
        table->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(table));
        view = find<QTableView>(table, QStringLiteral("MonsterTableView"));
    }

    QAbstractItemModel* shown() const { return view->model(); }
    // The cell of a record as the view shows it now (after sorting and filtering).
    QModelIndex cell(int record, int column) const
    {
        for (int row = 0; row < shown()->rowCount(); ++row)
            if (shown()->index(row, mt::Record).data(Qt::EditRole).toInt() == record)
                return shown()->index(row, column);
        return {};
    }
    int value(int record, int column) const { return cell(record, column).data(Qt::EditRole).toInt(); }

    void select(std::initializer_list<std::pair<int, int>> cells)
    {
        view->setFocus();
        bool first = true;
        for (const auto& [record, column] : cells) {
            const QModelIndex index = cell(record, column);
            view->scrollTo(index);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, first ? Qt::NoModifier : Qt::ControlModifier,
                              view->visualRect(index).center());
            first = false;
        }
    }

    // Types into the current cell as a user does: the first key opens the editor.
    void typeInCell(const QString& text, Qt::Key end = Qt::Key_Return)
    {
        QTest::keyClick(view, text.at(0).toLatin1());
        QWidget* editor = QApplication::focusWidget();
        ASSERT_NE(editor, view);
        QTest::keyClicks(editor, text.mid(1));
        QTest::keyClick(editor, end);
        // Return commits after the key, and a refusal's message comes after that.
        QApplication::processEvents();
        QApplication::processEvents();
    }

    void pasteAt(int record, int column, const QString& text)
    {
        select({{record, column}});
        QGuiApplication::clipboard()->setText(text);
        QTest::keyClick(view, Qt::Key_V, Qt::ControlModifier);
    }

    QString label(const QString& name) const { return find<QLabel>(table, name)->text(); }
    void tableAction(const QString& name) { find<QAction>(table, name)->trigger(); }

    QPointer<MonsterTableWindow> table;
    QTableView* view = nullptr;
};

TEST_F(MonsterTableTest, OpensOnceFromTheStuffMenuWithTheExportedColumnsAndAKeyOfItsOwn)
{
    auto* action = find<QAction>(QStringLiteral("mnuMonsterTable"));
    EXPECT_FALSE(action->isEnabled());

    openTable(RomFixture::standard(7));
    EXPECT_TRUE(action->isEnabled());
    EXPECT_TRUE(form1->isVisible()); // the table lives beside the main window, on the screen
    EXPECT_FALSE(table->frameGeometry().intersects(form1->frameGeometry()));
    EXPECT_TRUE(table->screen()->availableGeometry().contains(table->frameGeometry()));
    MonsterTableWindow* first = table;
    reopenTable();
    EXPECT_EQ(table, first);

    ASSERT_EQ(shown()->rowCount(), 256);
    const QStringList names = table::columnNames(mt::definition());
    ASSERT_EQ(shown()->columnCount(), names.size());
    // Every header whole: the exported name, over at most two lines that fit the column;
    // record and name stay in view in a frozen view of their own.
    for (int column = 0; column < names.size(); ++column) {
        const QString header = shown()->headerData(column, Qt::Horizontal).toString();
        EXPECT_EQ(QString(header).replace(u'\n', u' '), names[column]);
        EXPECT_EQ(shown()->headerData(column, Qt::Horizontal, Qt::ToolTipRole).toString(), names[column]);
        EXPECT_LE(header.count(u'\n'), 1);
        QTableView* holder =
            column <= mt::Name ? find<QTableView>(table, QStringLiteral("MonsterTableFrozenView")) : view;
        for (const QString& line : header.split(u'\n'))
            EXPECT_LT(holder->fontMetrics().horizontalAdvance(line), holder->columnWidth(column)) << line.toStdString();
    }
    EXPECT_GE(view->horizontalHeader()->height(), 2 * view->fontMetrics().height());
    EXPECT_EQ(cell(228, mt::Name).data().toString(), "????");
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), "No unsaved changes");
}

TEST_F(MonsterTableTest, SortsNumbersAsNumbersAndFiltersByNameOrNumber)
{
    RomFixture rom = RomFixture::standard(11);
    for (int record = 0; record < 256; ++record)
        rom.monsterWord(record, 8, static_cast<uint16_t>((record * 7919) % 60000));
    openTable(rom);

    QHeaderView* header = view->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(mt::HitPoints) + 5, header->height() / 2));
    int previous = -1;
    for (int row = 0; row < 256; ++row) {
        const int hp = shown()->index(row, mt::HitPoints).data(Qt::EditRole).toInt();
        ASSERT_LE(previous, hp) << row;
        previous = hp;
    }
    EXPECT_EQ(shown()->index(0, mt::HitPoints).data().toString(), "0");
    // Names sort as text, and stay sorted through the filter; one arrow shows the sort.
    auto* frozen = find<QTableView>(table, QStringLiteral("MonsterTableFrozenView"));
    const auto arrows = [&] {
        int shownArrows = 0;
        for (QTableView* v : {frozen, view})
            shownArrows += v->isColumnHidden(v->horizontalHeader()->sortIndicatorSection()) ? 0 : 1;
        return shownArrows;
    };
    EXPECT_EQ(arrows(), 1);
    QTest::mouseClick(frozen->horizontalHeader()->viewport(), Qt::LeftButton, {},
                      QPoint(frozen->horizontalHeader()->sectionViewportPosition(mt::Name) + 5,
                             frozen->horizontalHeader()->height() / 2));
    EXPECT_EQ(arrows(), 1);
    const auto sortedByName = [&] {
        for (int row = 1; row < shown()->rowCount(); ++row)
            if (shown()
                    ->index(row - 1, mt::Name)
                    .data()
                    .toString()
                    .compare(shown()->index(row, mt::Name).data().toString(), Qt::CaseInsensitive)
                > 0)
                return false;
        return true;
    };
    EXPECT_TRUE(sortedByName());
    auto* filter = find<QLineEdit>(table, QStringLiteral("FilterTXT"));
    QTest::keyClicks(filter, "bat");
    filter->clear();
    EXPECT_TRUE(sortedByName());

    QTest::keyClicks(filter, "25");
    QStringList kept;
    for (int row = 0; row < shown()->rowCount(); ++row)
        kept << shown()->index(row, mt::Record).data().toString();
    kept.sort();
    EXPECT_EQ(kept, QStringList({"125", "225", "25", "250", "251", "252", "253", "254", "255"}));
    filter->clear();
    const QString name = data::monsterNames().at(3);
    QTest::keyClicks(filter, name.toLower());
    ASSERT_GE(shown()->rowCount(), 1);
    for (int row = 0; row < shown()->rowCount(); ++row)
        EXPECT_TRUE(shown()->index(row, mt::Name).data().toString().contains(name, Qt::CaseInsensitive));
}

TEST_F(MonsterTableTest, TypingFollowsTheWindowsRulesAndSetsEverySelectedCellOfTheColumn)
{
    openTable(RomFixture::standard(5).monsterWord(1, 8, 1000).monsterByte(2, 31, 9));
    select({{1, mt::HitPoints}});
    typeInCell("70000"); // the cap, as the window's change rule gives it
    EXPECT_EQ(value(1, mt::HitPoints), 65500);
    typeInCell("12.5"); // rounds as the window's Save does
    EXPECT_EQ(value(1, mt::HitPoints), 12);
    select({{2, mt::Level}});
    typeInCell("123"); // two characters, as the window's Level box takes
    EXPECT_EQ(value(2, mt::Level), 12);

    // A text no field can hold is refused, naming row and column; nothing changes.
    typeInCell(".");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_TRUE(effects.messages[0].text.startsWith(
        QString("Monster 2 (%1), Level: \".\" is not a number").arg(data::monsterNames().at(2))))
        << effects.messages[0].text.toStdString();
    EXPECT_EQ(value(2, mt::Level), 12);
    // Letters never reach the box.
    typeInCell("4x");
    EXPECT_EQ(value(2, mt::Level), 4);

    // Several cells of one column take one typed value.
    select({{10, mt::Strength}, {11, mt::Strength}, {40, mt::Strength}});
    typeInCell("77");
    for (int record : {10, 11, 40})
        EXPECT_EQ(value(record, mt::Strength), 77);
    EXPECT_TRUE(cell(10, mt::Strength).data(MonsterTableModel::ChangedRole).toBool());
    EXPECT_FALSE(cell(12, mt::Strength).data(MonsterTableModel::ChangedRole).toBool());
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), "5 monsters changed, not saved");

    // A check box clicked in a selection of its column sets them all.
    const int weakFire = mt::FirstFlag;
    select({{20, weakFire}, {21, weakFire}});
    const bool was = value(21, weakFire);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(value(20, weakFire), !was);
    EXPECT_EQ(value(21, weakFire), !was);

    // Escape drops the typing in the open cell, never the table's changes.
    const QString changed = label(QStringLiteral("ChangedCountLBL"));
    select({{3, mt::Level}});
    const int level = value(3, mt::Level);
    typeInCell("9", Qt::Key_Escape);
    EXPECT_EQ(value(3, mt::Level), level);
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), changed);

    // Read-only fields take nothing.
    select({{3, mt::MagicPoints}});
    const int mp = value(3, mt::MagicPoints);
    QTest::keyClick(view, Qt::Key_5);
    EXPECT_EQ(value(3, mt::MagicPoints), mp);

    // Revert asks first; cancelled, the changes stay.
    tableAction(QStringLiteral("mnuTableRevert"));
    EXPECT_EQ(effects.saveQuestions.size(), 1);
    EXPECT_NE(label(QStringLiteral("ChangedCountLBL")), "No unsaved changes");
    effects.saveQuestionAnswers.push_back(SaveAnswer::Discard);
    tableAction(QStringLiteral("mnuTableRevert"));
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), "No unsaved changes");
    EXPECT_EQ(value(1, mt::HitPoints), 1000);
}

TEST_F(MonsterTableTest, APasteIsAppliedWholeOrRefusedNamingRowAndColumnAndCopyGivesTabs)
{
    const RomFixture rom = RomFixture::standard(9).monsterByte(6, 16, 3).monsterByte(7, 16, 230);
    openTable(rom);
    // Level, Hit Points of monsters 5 and 6; the second row's hit points cannot be.
    pasteAt(5, mt::Level, "10\t2000\r\n20\t70000\r\n");
    ASSERT_EQ(effects.messages.size(), 1u);
    EXPECT_TRUE(effects.messages[0].text.startsWith(QString("Monster 6 (%1), Hit Points: expected a whole number "
                                                            "from 0 to 65500 in plain digits, found \"70000\".")
                                                        .arg(data::monsterNames().at(6))))
        << effects.messages[0].text.toStdString();
    EXPECT_TRUE(effects.messages[0].text.endsWith("Nothing was pasted."));
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), "No unsaved changes");
    // Past the last column is refused too.
    pasteAt(5, mt::FirstFlag + 47, "1\t1");
    EXPECT_EQ(effects.messages.size(), 2u);
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), "No unsaved changes");

    pasteAt(5, mt::Level, "10\t2000\n20\t3000");
    EXPECT_EQ(effects.messages.size(), 2u);
    EXPECT_EQ(value(5, mt::Level), 10);
    EXPECT_EQ(value(5, mt::HitPoints), 2000);
    EXPECT_EQ(value(6, mt::Level), 20);
    EXPECT_EQ(value(6, mt::HitPoints), 3000);

    // The attack index takes a number or an entry's text; a byte beyond the list stays unless changed.
    const QString entry = data::attackAnimationDescriptions().at(0x2A);
    if (data::attackAnimationDescriptions().count(entry) == 1) {
        pasteAt(6, mt::AttackIndex, entry);
        EXPECT_EQ(value(6, mt::AttackIndex), 0x2A);
    }
    EXPECT_EQ(cell(7, mt::AttackIndex).data().toString(), "230");
    pasteAt(7, mt::AttackIndex, "230");
    EXPECT_FALSE(cell(7, mt::AttackIndex).data(MonsterTableModel::ChangedRole).toBool());
    // As in the window, a byte beyond the list can be kept but not chosen;
    // the cell above it is not set either.
    const int sixth = value(6, mt::AttackIndex);
    pasteAt(6, mt::AttackIndex, "5\n231");
    ASSERT_EQ(effects.messages.size(), 3u);
    EXPECT_TRUE(
        effects.messages[2].text.contains("Attack Index: expected an entry of the attack animation list "
                                          "(0 to 207) or 230, as the image holds it now, found \"231\"."))
        << effects.messages[2].text.toStdString();
    EXPECT_EQ(value(6, mt::AttackIndex), sixth);
    EXPECT_EQ(value(7, mt::AttackIndex), 230);

    // Its drop-down holds the window's entries, and the byte beyond them first.
    select({{7, mt::AttackIndex}});
    QTest::keyClick(view, Qt::Key_F2);
    auto* combo = view->findChild<QComboBox*>(QStringLiteral("AttackIndexCBO"));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 209);
    EXPECT_EQ(combo->currentText(), "230");
    EXPECT_EQ(combo->itemText(1), data::attackAnimationDescriptions().at(0));
    combo->setCurrentIndex(combo->findData(5));
    QTest::keyClick(combo, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(value(7, mt::AttackIndex), 5);

    // Copy gives the cells as the export writes them.
    select({{5, mt::Level}, {5, mt::HitPoints}, {6, mt::Level}, {6, mt::HitPoints}});
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "10\t2000\n20\t3000\n");
}

TEST_F(MonsterTableTest, SaveWritesExactlyTheMonsterWindowsBytesAsOneStepInFewerWrites)
{
    // Random records: words above the cap and attack bytes beyond the list among them.
    RomFixture rom = RomFixture::standard(2026);
    rom.monsterWord(3, 8, 0xFFFF).monsterByte(200, 16, 240);
    openTable(rom);
    const QByteArray before = fileBytes();
    const int weakIce = mt::FirstFlag + 1;
    const bool ice = value(200, weakIce);

    select({{3, mt::Level}});
    typeInCell("42");
    select({{200, mt::Gil}});
    typeInCell("1234");
    select({{200, weakIce}});
    QTest::keyClick(view, Qt::Key_Space);
    select({{77, mt::Strength}});
    typeInCell("0");
    select({{3, mt::Strength}}); // an editor still open counts at Save
    QTest::keyClick(view, Qt::Key_9);
    const quint64 writesBefore = form1->session().rom().writeCount();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    const quint64 tableWrites = form1->session().rom().writeCount() - writesBefore;
    const QByteArray saved = fileBytes();
    EXPECT_NE(saved, before);
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), "No unsaved changes");
    auto* undo = find<QAction>(QStringLiteral("mnuUndo"));
    EXPECT_EQ(undo->text(), "&Undo Save of 3 monsters");

    // One undo takes the whole save back, and the table shows it.
    QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(value(3, mt::Level), uint8_t(before[at(3, 31)]));

    // The same values saved one monster at a time in the monster window.
    MonsterEditor* editor = openMonsterEditor();
    ASSERT_TRUE(editor);
    auto* list = find<QListWidget>(editor, QStringLiteral("MonsterList"));
    const quint64 windowBefore = form1->session().rom().writeCount();
    list->setCurrentRow(3);
    typeInto(editor, "LevelTXT", "42");
    typeInto(editor, "STRTXT", "9");
    clickOn(editor, "SaveCMD");
    list->setCurrentRow(77);
    typeInto(editor, "STRTXT", "0");
    clickOn(editor, "SaveCMD");
    list->setCurrentRow(200);
    typeInto(editor, "GilTXT", "1234");
    find<QListWidget>(editor, QStringLiteral("WeakLST"))->item(1)->setSelected(!ice);
    clickOn(editor, "SaveCMD");
    const quint64 windowWrites = form1->session().rom().writeCount() - windowBefore;
    EXPECT_EQ(fileBytes(), saved);
    EXPECT_LT(tableWrites, windowWrites);
    EXPECT_LE(tableWrites, 4u); // the stamp and one run per record
}

TEST_F(MonsterTableTest, ASaveFailingPartWayIsTakenBackWholeAndTheEditsStay)
{
    openTable(RomFixture::standard(8));
    select({{3, mt::Level}});
    typeInCell("50");
    select({{100, mt::Level}});
    typeInCell("60");
    const QByteArray before = fileBytes();
    // The stamp and the first record land, the second record's run fails.
    MemoryDevice* memory = attachMemory(form1->session().rom(), before, 2, QStringLiteral("Disk full"), romPath);
    memory->failOnce = true;
    tableAction(QStringLiteral("mnuTableSave"));
    // Said once, in the words of every other window and the command line.
    expectMessage(1, MessageIcon::Exclamation,
                  {"Disk full", "The writes already made were taken back: the image is as it was."});
    EXPECT_EQ(effects.messages.back().text.count("taken back"), 1);
    EXPECT_EQ(memory->data(), before);
    EXPECT_EQ(label(QStringLiteral("ChangedCountLBL")), "2 monsters changed, not saved");
    EXPECT_FALSE(find<QAction>(QStringLiteral("mnuUndo"))->isEnabled());
}

TEST_F(MonsterTableTest, SavesFollowEachOtherBetweenTheTableAndTheMonsterEditor)
{
    openTable(RomFixture::standard(3).monsterWord(4, 8, 500));
    MonsterEditor* editor = openMonsterEditor(4);
    auto* hp = find<QLineEdit>(editor, QStringLiteral("HPTXT"));
    typeInto(editor, "HPTXT", "777");
    clickOn(editor, "SaveCMD");
    EXPECT_EQ(value(4, mt::HitPoints), 777); // at once, without a reload

    table->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(table));
    select({{4, mt::HitPoints}});
    typeInCell("888");
    tableAction(QStringLiteral("mnuTableSave"));
    EXPECT_EQ(wordAt(fileBytes(), at(4, 8)), 888);
    EXPECT_EQ(hp->text(), "888"); // the open editor shows the record again

    // A patcher rewrites the image in place: the table shows it when it is active again.
    ASSERT_TRUE(rewriteInPlace(romPath, at(4, 31), QByteArray(1, char(66))));
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(editor));
    table->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(table));
    EXPECT_EQ(value(4, mt::Level), 66);
}

TEST_F(MonsterTableTest, ComparesWithAnOriginalMarksRestoresAndRemembersIt)
{
    const RomFixture original = RomFixture::standard(17);
    RomFixture changed = original;
    changed.monsterWord(5, 8, static_cast<uint16_t>(wordAt(original.bytes(), at(5, 8)) ^ 0x10))
        .monsterByte(9, 31, static_cast<uint8_t>(original.bytes()[at(9, 31)] ^ 1))
        .monsterByte(9, 5, static_cast<uint8_t>(original.bytes()[at(9, 5)] ^ 1)); // read-only: Unknown
    // Without its copier header, as a patcher keeps it.
    const QString originalPath = tempPath(QStringLiteral("original.sfc"));
    ASSERT_TRUE(RomFixture(0).bytesAt(0, original.bytes().mid(0x200)).writeTo(originalPath));
    openTable(changed);

    // Another game is refused by name, as Create Patch refuses it.
    const QString otherPath = tempPath(QStringLiteral("other.smc"));
    ASSERT_TRUE(RomFixture::standard(17).checkWord(0x1234).writeTo(otherPath));
    effects.openAnswers.push_back(otherPath);
    clickOn(table, "CompareCMD");
    expectMessage(1, MessageIcon::Exclamation, {"is not an image of this game"});
    EXPECT_EQ(label(QStringLiteral("OriginalLBL")), "No original to compare with");

    effects.openAnswers.push_back(originalPath);
    clickOn(table, "CompareCMD");
    EXPECT_EQ(effects.lastTitle, "Unmodified Original Image");
    EXPECT_TRUE(effects.lastSelectedFilter.contains("*.smc") && effects.lastSelectedFilter.contains("*.sfc"));
    EXPECT_TRUE(cell(5, mt::HitPoints).data(MonsterTableModel::DiffersRole).toBool());
    EXPECT_TRUE(cell(5, mt::HitPoints)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .contains(QString("Original: %1").arg(wordAt(original.bytes(), at(5, 8)))));
    EXPECT_FALSE(cell(5, mt::Level).data(MonsterTableModel::DiffersRole).toBool());
    EXPECT_TRUE(label(QStringLiteral("OriginalLBL")).contains("original.sfc (2 monsters differ)"));
    // A file that cannot be read says why and keeps what was compared with.
    effects.openAnswers.push_back(tempPath(QStringLiteral("gone.smc")));
    clickOn(table, "CompareCMD");
    expectMessage(2, MessageIcon::Exclamation, {"gone.smc\" could not be read:\n", "compared with before"});
    EXPECT_TRUE(label(QStringLiteral("OriginalLBL")).contains("original.sfc (2 monsters differ)"));

    find<QCheckBox>(table, QStringLiteral("ChangedOnlyCHK"))->click();
    ASSERT_EQ(shown()->rowCount(), 2);

    // Restore through the cell's context menu.
    select({{9, mt::Level}, {9, mt::Unknown}});
    auto* restore = find<QAction>(table, QStringLiteral("mnuRestoreOriginal"));
    EXPECT_EQ(restore->text(), "Restore Original Value");
    restore->trigger();
    EXPECT_EQ(label(QStringLiteral("InfoLBL")), "1 cell restored; 1 read-only cell keeps its value.");
    EXPECT_EQ(value(9, mt::Level), uint8_t(original.bytes()[at(9, 31)]));
    EXPECT_TRUE(cell(9, mt::Unknown).data(MonsterTableModel::DiffersRole).toBool()); // read-only stays
    tableAction(QStringLiteral("mnuTableSave"));
    EXPECT_EQ(uint8_t(fileBytes()[at(9, 31)]), uint8_t(original.bytes()[at(9, 31)]));

    // The original stays chosen for this image across runs.
    table->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    reopenTable();
    EXPECT_TRUE(label(QStringLiteral("OriginalLBL")).contains("original.sfc"));
    EXPECT_TRUE(cell(5, mt::HitPoints).data(MonsterTableModel::DiffersRole).toBool());
}

TEST_F(MonsterTableTest, UnsavedChangesAskSaveDiscardOrCancelBeforeTheyAreLost)
{
    const RomFixture rom = RomFixture::standard(21).monsterWord(0, 8, 100);
    openTable(rom);
    const QByteArray before = fileBytes();
    const auto edit = [&](const QString& hp) {
        select({{0, mt::HitPoints}});
        typeInCell(hp);
    };
    edit("200");

    // Cancel keeps the window and its changes, whichever way it was to close.
    table->close();
    ASSERT_EQ(effects.saveQuestions.size(), 1);
    EXPECT_TRUE(effects.saveQuestions[0].contains("unsaved changes to 1 monster of"));
    EXPECT_TRUE(table->isVisible());
    trigger(QStringLiteral("mnuClose"));
    EXPECT_TRUE(form1->isLoaded());
    openPath(romPath);
    EXPECT_EQ(effects.saveQuestions.size(), 3);
    EXPECT_EQ(value(0, mt::HitPoints), 200);
    EXPECT_EQ(fileBytes(), before);

    // Discard when the image closes.
    effects.saveQuestionAnswers = {SaveAnswer::Discard};
    trigger(QStringLiteral("mnuClose"));
    EXPECT_FALSE(form1->isLoaded());
    EXPECT_EQ(fileBytes(), before);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(table.isNull());

    // Save when another image is opened.
    openPath(romPath);
    reopenTable();
    edit("300");
    effects.saveQuestionAnswers = {SaveAnswer::Save};
    openPath(romPath);
    EXPECT_EQ(wordAt(fileBytes(), at(0, 8)), 300);
    EXPECT_EQ(effects.saveQuestions.size(), 5);

    // Quitting asks too; Cancel keeps the program running.
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    reopenTable();
    ASSERT_TRUE(view);
    edit("400");
    trigger(QStringLiteral("mnuQuit"));
    EXPECT_FALSE(effects.endedWith.has_value());
    effects.saveQuestionAnswers = {SaveAnswer::Discard};
    trigger(QStringLiteral("mnuQuit"));
    EXPECT_EQ(effects.endedWith, 0);
    EXPECT_EQ(wordAt(fileBytes(), at(0, 8)), 300);
}

TEST_F(MonsterTableTest, ColumnGroupsHideTogetherAndStayHidden)
{
    openTable(RomFixture::standard(1));
    auto* rewards = find<QAction>(table, QStringLiteral("mnuShowRewards"));
    auto* immunity = find<QAction>(table, QStringLiteral("mnuShowImmunity"));
    ASSERT_TRUE(rewards->isChecked());
    rewards->trigger();
    immunity->trigger();
    for (const int column : std::initializer_list<int>{mt::Experience, mt::Gil, mt::FirstFlag + 16, mt::FirstFlag + 32})
        EXPECT_TRUE(view->isColumnHidden(column)) << column;
    EXPECT_FALSE(view->isColumnHidden(mt::FirstFlag + 24) || view->isColumnHidden(mt::HitPoints));
    table->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    reopenTable();
    EXPECT_TRUE(view->isColumnHidden(mt::Gil));
    EXPECT_FALSE(find<QAction>(table, QStringLiteral("mnuShowRewards"))->isChecked());
    // A paste skips hidden columns, as it lands where the eye sees it.
    pasteAt(2, mt::HitPoints, QString("100\t%1\t7").arg(value(2, mt::MagicPoints)));
    EXPECT_EQ(value(2, mt::HitPoints), 100);
    EXPECT_EQ(value(2, mt::Strength), 7);
}

} // namespace
