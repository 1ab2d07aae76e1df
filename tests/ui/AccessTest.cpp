// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/MonsterTable.h"
#include "support/AccessibilityWalk.h"
#include "support/GuiTestBase.h"
#include "ui/AboutDialog.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>
#include <QTableView>

#include <cmath>

using namespace zorvek;
using namespace zorvek::test;
namespace mt = zorvek::table::monstertable;

namespace {

double luminance(const QColor& c)
{
    const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(0x2a, 0x2a, 0x2a));
    p.setColor(QPalette::AlternateBase, QColor(0x42, 0x42, 0x42));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(0x35, 0x35, 0x35));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x7f, 0x7f, 0x7f));
    return p;
}

// Every shortcut and Alt+letter of a window, each with what it reaches.
QMultiMap<QString, QString> keysOf(QWidget* window)
{
    QMultiMap<QString, QString> keys;
    const auto mnemonic = [&](const QString& text, const QString& owner) {
        if (const QKeySequence key = QKeySequence::mnemonic(text); !key.isEmpty())
            keys.insert(key.toString(), owner);
    };
    QSet<QAction*> seen;
    for (QAction* action : window->actions() + window->findChildren<QAction*>())
        if (!seen.contains(action)) {
            seen.insert(action);
            for (const QKeySequence& key : action->shortcuts())
                keys.insert(key.toString(), action->objectName());
        }
    for (QShortcut* shortcut : window->findChildren<QShortcut*>())
        keys.insert(shortcut->key().toString(), shortcut->objectName());
    if (auto* main = qobject_cast<QMainWindow*>(window))
        for (QAction* menu : main->menuBar()->actions())
            mnemonic(menu->text(), menu->objectName());
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        mnemonic(button->text(), button->objectName());
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy())
            mnemonic(label->text(), label->objectName());
    return keys;
}

// Keys reached by more than one thing, and access keys used twice in one menu.
QStringList clashes(QWidget* window)
{
    QStringList found;
    const QMultiMap<QString, QString> keys = keysOf(window);
    for (const QString& key : keys.uniqueKeys())
        if (keys.count(key) > 1 || key == QLatin1String("F5"))  // F5 is kept for another command
            found << key + u' ' + QStringList(keys.values(key)).join(u',');
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QMultiMap<QString, QString> marks;
        for (QAction* action : menu->actions())
            if (const QKeySequence key = QKeySequence::mnemonic(action->text()); !key.isEmpty())
                marks.insert(key.toString(), action->objectName());
        for (const QString& key : marks.uniqueKeys())
            if (marks.count(key) > 1)
                found << menu->objectName() + u' ' + key;
    }
    return found;
}

// The controls Tab visits from the first one, in order, once round.
QStringList tabChain(QWidget* first)
{
    first->window()->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(first->window()));
    first->setFocus(Qt::TabFocusReason);
    QStringList chain;
    for (QWidget* at = QApplication::focusWidget(); at && !chain.contains(at->objectName()) && chain.size() < 60;
         at = QApplication::focusWidget()) {
        chain << at->objectName();
        QTest::keyClick(at, Qt::Key_Tab);
    }
    return chain;
}

// Every control of the window that Tab should reach.
QStringList tabbable(QWidget* window)
{
    QStringList names;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->isVisibleTo(window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()
            && !qobject_cast<QComboBox*>(w->parentWidget()))
            names << w->objectName();
    names.sort();
    return names;
}

QStringList sorted(QStringList names)
{
    names.sort();
    return names;
}

class AccessTest : public GuiTestBase {
protected:
    void SetUp() override
    {
        GuiTestBase::SetUp();
        openImage(RomFixture::standard(3));
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    }
};

TEST_F(AccessTest, TheKeyboardReachesEveryControlAndNoKeyClashes)
{
    EXPECT_EQ(clashes(form1.get()), QStringList());
    EXPECT_EQ(tabChain(find<QWidget>("InternalROMNameTXT")), QStringList({"InternalROMNameTXT", "ChangeROMNameCMD", "CopierTypeCBO"}));
    for (const char* menu : {"mnuFile", "mnuStuff"})
        for (QAction* item : find<QMenu>(menu)->actions())
            EXPECT_TRUE(item->isSeparator() || item->objectName() == "mnuURL"
                        || !QKeySequence::mnemonic(item->text()).isEmpty())
                << item->objectName().toStdString();

    // Both editors open from the keyboard, as the toolbar buttons open them.
    QTest::keyClick(form1.get(), Qt::Key_H, Qt::ControlModifier);
    ui::CharacterEditor* form3 = form1->characterEditor();
    ASSERT_TRUE(form3 && form3->isVisible());
    EXPECT_EQ(clashes(form3), QStringList());
    const QStringList stats = tabChain(find<QWidget>(form3, "CharIndexTXT"));
    EXPECT_EQ(stats, QStringList({"CharIndexTXT", "Scroll", "TabStrip1", "LevelTXT", "CHPTXT", "MHPTXT", "CMPTXT",
                                  "MMPTXT", "EXPTXT", "ActorTXT", "STRTXT", "AGITXT", "VITTXT", "MagicPowerTXT",
                                  "SaveCMD", "CancelCMD"}));
    EXPECT_EQ(sorted(stats), tabbable(form3));
    find<QTabBar>(form3, "TabStrip1")->setCurrentIndex(1);
    const QStringList equipment = tabChain(find<QWidget>(form3, "CharIndexTXT"));
    EXPECT_EQ(equipment.mid(3, 10), QStringList({"RHCBO", "LHCBO", "HeadCBO", "BodyCBO", "ArmsCBO", "BattleCommand1CBO",
                                                 "BattleCommand2CBO", "BattleCommand3CBO", "BattleCommand4CBO",
                                                 "EquipBitTXT"}));
    EXPECT_EQ(sorted(equipment), tabbable(form3));
    form3->close();

    ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    QTest::keyClick(form1.get(), Qt::Key_M, Qt::ControlModifier);
    ui::MonsterEditor* form2 = form1->monsterEditor();
    ASSERT_TRUE(form2 && form2->isVisible());
    EXPECT_EQ(clashes(form2), QStringList());
    EXPECT_EQ(sorted(tabChain(find<QWidget>(form2, "MonsterList"))), tabbable(form2));
    form2->close();

    form1->openMonsterTable();
    EXPECT_EQ(clashes(form1->monsterTable()), QStringList());
    EXPECT_EQ(sorted(tabChain(find<QWidget>(form1->monsterTable(), "FilterTXT"))), tabbable(form1->monsterTable()));
}

TEST_F(AccessTest, EveryWindowNamesEveryControlForScreenReaders)
{
    EXPECT_EQ(unnamedControls(form1.get()), QStringList());
    ui::AboutDialog about;
    about.show();
    EXPECT_EQ(unnamedControls(&about), QStringList());
    about.close();

    ui::MonsterEditor* form2 = openMonsterEditor();
    EXPECT_EQ(unnamedControls(form2), QStringList());
    form2->close();
    ui::CharacterEditor* form3 = openCharacterEditor();
    EXPECT_EQ(unnamedControls(form3), QStringList());
    find<QTabBar>(form3, "TabStrip1")->setCurrentIndex(1);
    EXPECT_EQ(unnamedControls(form3), QStringList());
    form3->close();

    form1->openMonsterTable();
    ui::MonsterTableWindow* table = form1->monsterTable();
    EXPECT_EQ(unnamedControls(table), QStringList());
    // A flag cell reads as a check box, checked or not.
    auto* view = find<QTableView>(table, "MonsterTableView");
    QAccessibleTableInterface* cells = QAccessible::queryAccessibleInterface(view)->tableInterface();
    ASSERT_NE(cells, nullptr);
    const QModelIndex flag = view->model()->index(0, mt::FirstFlag);
    QAccessibleInterface* cell = cells->cellAt(0, view->horizontalHeader()->visualIndex(mt::FirstFlag));
    ASSERT_NE(cell, nullptr);
    EXPECT_TRUE(cell->state().checkable);
    EXPECT_EQ(bool(cell->state().checked), flag.data(Qt::CheckStateRole).toInt() == Qt::Checked);
}

TEST_F(AccessTest, EveryMarkStandsOutOnALightAndADarkPalette)
{
    const QPalette light = QApplication::palette();
    form1->openMonsterTable();
    ui::MonsterTableWindow* table = form1->monsterTable();
    // A changed cell, one that differs from the original, one that is both,
    // and a flag that differs, marked in its corner.
    const QString original = tempPath("original.sfc");
    RomFixture originalRom = RomFixture::standard(3).monsterByte(2, 31, 7);
    for (int k = 0; k < 32; ++k)  // record 1 differs in every field, its flags too
        originalRom.monsterByte(1, k, static_cast<uint8_t>(~originalRom.bytes()[RomFixture::monster(1, k)]));
    const QByteArray originalImage = originalRom.bytes();
    ASSERT_TRUE(RomFixture(0).bytesAt(0, originalImage.mid(0x200)).writeTo(original));
    effects.openAnswers.push_back(original);
    clickOn(table, "CompareCMD");
    ASSERT_EQ(effects.messages.size(), 0u) << effects.messages.front().text.toStdString();
    auto* source = table->findChild<ui::MonsterTableModel*>();
    ASSERT_TRUE(source->setData(source->index(0, mt::Level), 1, Qt::EditRole));
    ASSERT_TRUE(source->setData(source->index(2, mt::Level), 2, Qt::EditRole));

    for (const QPalette& palette : {light, darkPalette()}) {
        QApplication::setPalette(palette);
        QApplication::processEvents();  // windows take a new palette from a posted event
        auto* nameBox = find<QLineEdit>("InternalROMNameTXT");
        EXPECT_GE(contrast(nameBox->palette().color(QPalette::Text), nameBox->palette().color(QPalette::Base)), 4.5);
        for (const int record : {0, 1, 2}) {
            const QModelIndex cell = source->index(record, mt::Level);
            const QColor ground = cell.data(Qt::BackgroundRole).isNull()
                                      ? palette.color(QPalette::Base)
                                      : cell.data(Qt::BackgroundRole).value<QBrush>().color();
            const QColor text = cell.data(Qt::ForegroundRole).isNull()
                                    ? palette.color(QPalette::Text)
                                    : cell.data(Qt::ForegroundRole).value<QBrush>().color();
            EXPECT_GE(contrast(text, ground), 4.5) << record << ' ' << palette.color(QPalette::Base).name().toStdString();
        }
        auto* view = find<QTableView>(table, "MonsterTableView");
        const QModelIndex flag = view->model()->index(1, mt::FirstFlag);
        view->scrollTo(flag);
        const QColor corner = view->viewport()->grab().toImage().pixelColor(view->visualRect(flag).topLeft() + QPoint(1, 1));
        const QColor mark = flag.data(Qt::ForegroundRole).value<QBrush>().color();
        EXPECT_LT(qAbs(corner.red() - mark.red()) + qAbs(corner.green() - mark.green()) + qAbs(corner.blue() - mark.blue()), 24);
        EXPECT_GE(contrast(mark, palette.color(QPalette::Base)), 4.5);
    }
    QApplication::setPalette(light);
}

TEST_F(AccessTest, NothingIsCutWithALargeFont)
{
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 1.6);
    QApplication::setFont(large);
    form1 = std::make_unique<ui::MainWindow>(effects);
    form1->show();
    openImage(RomFixture::standard(3));
    ui::AboutDialog about;
    about.show();
    QList<QWidget*> windows{form1.get(), &about, openMonsterEditor()};
    windows.last()->close();
    windows << openCharacterEditor();
    QStringList cut;
    for (QWidget* window : windows)
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->isVisibleTo(window) && w->sizePolicy().horizontalPolicy() != QSizePolicy::Ignored) {
                // A push button's hint holds the style's least width; its text is what must fit.
                const auto* button = qobject_cast<QPushButton*>(w);
                const QSize needed = button ? QSize(w->fontMetrics().horizontalAdvance(button->text().remove(u'&'))
                                                        + button->iconSize().width() * !button->icon().isNull(),
                                                    w->fontMetrics().height())
                                     : qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w) ? w->minimumSizeHint()
                                                                                                     : QSize();
                if (w->width() < needed.width() || w->height() < needed.height())
                    cut << window->objectName() + u'.' + w->objectName();
            }
    QApplication::setFont(normal);
    EXPECT_EQ(cut, QStringList());
}

} // namespace
