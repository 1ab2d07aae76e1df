// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/MonsterTable.h"
#include "support/GuiTestBase.h"
#include "ui/AboutDialog.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"

#include <QAbstractButton>
#include <QAccessible>
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
#include <functional>

using namespace zorvek;
using namespace zorvek::test;
namespace mt = zorvek::table::monstertable;

namespace {

double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Keys reached by more than one thing (shortcuts, Alt+letters of the menu bar,
// buttons and labels), access keys used twice in one menu, and F5, kept for
// another command.
QStringList clashes(QWidget* window)
{
    QMultiMap<QString, QString> keys;
    const auto add = [&](QMultiMap<QString, QString>& to, const QKeySequence& key, const QObject* owner) {
        if (!key.isEmpty())
            to.insert(key.toString(), owner->objectName());
    };
    const QList<QAction*> actions = window->actions() + window->findChildren<QAction*>();
    for (QAction* action : QSet<QAction*>(actions.begin(), actions.end()))
        for (const QKeySequence& key : action->shortcuts())
            add(keys, key, action);
    for (QShortcut* shortcut : window->findChildren<QShortcut*>())
        add(keys, shortcut->key(), shortcut);
    if (auto* main = qobject_cast<QMainWindow*>(window))
        for (QAction* menu : main->menuBar()->actions())
            add(keys, QKeySequence::mnemonic(menu->text()), menu);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        add(keys, QKeySequence::mnemonic(button->text()), button);
    for (QLabel* label : window->findChildren<QLabel*>())
        if (label->buddy())
            add(keys, QKeySequence::mnemonic(label->text()), label);
    QStringList found;
    for (const QString& key : keys.uniqueKeys())
        if (keys.count(key) > 1)
            found << key + u' ' + QStringList(keys.values(key)).join(u',');
    for (QMenu* menu : window->findChildren<QMenu*>()) {
        QMultiMap<QString, QString> marks;
        for (QAction* action : menu->actions())
            add(marks, QKeySequence::mnemonic(action->text()), action);
        for (const QString& key : marks.uniqueKeys())
            if (marks.count(key) > 1)
                found << menu->objectName() + u' ' + key;
    }
    return found;
}

// What a screen reader finds in a window: every control it can land on that
// has no name, by role and object name. Items of lists and tables are named
// by their own text; the views themselves are checked. A drop-down list
// named by its shown entry counts as unnamed.
QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (!node)
            return;
        const QAccessible::State state = node->state();
        const QAccessible::Role role = node->role();
        const QString name = node->text(QAccessible::Name).trimmed();
        const bool namedByEntry = role == QAccessible::ComboBox && name == node->text(QAccessible::Value);
        if (state.focusable && !state.invisible && !state.disabled && (name.isEmpty() || namedByEntry))
            unnamed << QStringLiteral("%1 %2").arg(role).arg(node->object() ? node->object()->objectName() : QString());
        if (QList{QAccessible::List, QAccessible::Table, QAccessible::Tree, QAccessible::ComboBox}.contains(role))
            return;
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return unnamed;
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

class AccessTest : public GuiTestBase {
protected:
    void SetUp() override
    {
        GuiTestBase::SetUp();
        openImage(RomFixture::standard(3));
        form1->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    }

    // No key clash, no control without a name, Tab reaching every control;
    // the Tab order from the first control given, if any.
    QStringList expectReachable(QWidget* window, const char* first)
    {
        EXPECT_EQ(clashes(window), QStringList()) << window->objectName().toStdString();
        EXPECT_EQ(unnamedControls(window), QStringList()) << window->objectName().toStdString();
        if (!first)
            return {};
        const QStringList chain = tabChain(find<QWidget>(window, first));
        QStringList reached = chain;
        reached.sort();
        EXPECT_EQ(reached, tabbable(window)) << window->objectName().toStdString();
        return chain;
    }
};

TEST_F(AccessTest, EveryWindowIsReachedByKeyboardAndNamedForScreenReaders)
{
    EXPECT_EQ(expectReachable(form1.get(), "InternalROMNameTXT"),
              QStringList({"InternalROMNameTXT", "ChangeROMNameCMD", "CopierTypeCBO"}));
    for (const char* menu : {"mnuFile", "mnuStuff"})
        for (QAction* item : find<QMenu>(menu)->actions())
            EXPECT_TRUE(item->isSeparator() || item->objectName() == "mnuURL"
                        || !QKeySequence::mnemonic(item->text()).isEmpty())
                << item->objectName().toStdString();
    ui::AboutDialog about(form1.get());
    about.show();
    expectReachable(&about, nullptr); // one button
    about.close();

    // Both editors open from the keyboard, as the toolbar buttons open them.
    QTest::keyClick(form1.get(), Qt::Key_H, Qt::ControlModifier);
    ui::CharacterEditor* form3 = form1->characterEditor();
    ASSERT_TRUE(form3 && form3->isVisible());
    EXPECT_EQ(expectReachable(form3, "CharIndexTXT"),
              QStringList({"CharIndexTXT", "Scroll", "TabStrip1", "LevelTXT", "CHPTXT", "MHPTXT", "CMPTXT", "MMPTXT",
                           "EXPTXT", "ActorTXT", "STRTXT", "AGITXT", "VITTXT", "MagicPowerTXT", "SaveCMD",
                           "CancelCMD"}));
    find<QTabBar>(form3, "TabStrip1")->setCurrentIndex(1);
    EXPECT_EQ(expectReachable(form3, "CharIndexTXT").mid(3, 10),
              QStringList({"RHCBO", "LHCBO", "HeadCBO", "BodyCBO", "ArmsCBO", "BattleCommand1CBO", "BattleCommand2CBO",
                           "BattleCommand3CBO", "BattleCommand4CBO", "EquipBitTXT"}));
    form3->close();

    ASSERT_TRUE(QTest::qWaitForWindowActive(form1.get()));
    QTest::keyClick(form1.get(), Qt::Key_M, Qt::ControlModifier);
    ui::MonsterEditor* form2 = form1->monsterEditor();
    ASSERT_TRUE(form2 && form2->isVisible());
    expectReachable(form2, "MonsterList");
    form2->close();

    form1->openMonsterTable();
    ui::MonsterTableWindow* table = form1->monsterTable();
    expectReachable(table, "FilterTXT");
    // A flag cell reads as a check box, checked or not.
    auto* view = find<QTableView>(table, "MonsterTableView");
    const QModelIndex flag = view->model()->index(0, mt::FirstFlag);
    QAccessibleInterface* cell = QAccessible::queryAccessibleInterface(view)->tableInterface()->cellAt(
        0, view->horizontalHeader()->visualIndex(mt::FirstFlag));
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
    RomFixture original = RomFixture::standard(3).monsterByte(2, 31, 7);
    for (int k = 0; k < 32; ++k) // record 1 differs in every field, its flags too
        original.monsterByte(1, k, static_cast<uint8_t>(~original.bytes()[RomFixture::monster(1, k)]));
    ASSERT_TRUE(RomFixture(0).bytesAt(0, original.bytes().mid(0x200)).writeTo(tempPath("original.sfc")));
    effects.openAnswers.push_back(tempPath("original.sfc"));
    clickOn(table, "CompareCMD");
    ASSERT_EQ(effects.messages.size(), 0u) << effects.messages.front().text.toStdString();
    auto* source = table->findChild<ui::MonsterTableModel*>();
    ASSERT_TRUE(source->setData(source->index(0, mt::Level), 1, Qt::EditRole));
    ASSERT_TRUE(source->setData(source->index(2, mt::Level), 2, Qt::EditRole));

    const QColor dark(0x35, 0x35, 0x35), ground(0x2a, 0x2a, 0x2a);
    for (const QPalette& palette :
         {light, QPalette(Qt::white, dark, dark.lighter(), dark.darker(), dark, Qt::white, ground)}) {
        QApplication::setPalette(palette);
        QApplication::processEvents(); // windows take a new palette from a posted event
        auto* nameBox = find<QLineEdit>("InternalROMNameTXT");
        EXPECT_GE(contrast(nameBox->palette().color(QPalette::Text), nameBox->palette().color(QPalette::Base)), 4.5);
        const auto colour = [&](int record, int role, QPalette::ColorRole otherwise) {
            const QVariant brush = source->index(record, mt::Level).data(role);
            return brush.isNull() ? palette.color(otherwise) : brush.value<QBrush>().color();
        };
        for (const int record : {0, 1, 2})
            EXPECT_GE(contrast(colour(record, Qt::ForegroundRole, QPalette::Text),
                               colour(record, Qt::BackgroundRole, QPalette::Base)),
                      4.5)
                << record;
        auto* view = find<QTableView>(table, "MonsterTableView");
        const QModelIndex flag = view->model()->index(1, mt::FirstFlag);
        view->scrollTo(flag);
        const QColor corner =
            view->viewport()->grab().toImage().pixelColor(view->visualRect(flag).topLeft() + QPoint(1, 1));
        const QColor mark = flag.data(Qt::ForegroundRole).value<QBrush>().color();
        EXPECT_LT(qAbs(corner.red() - mark.red()) + qAbs(corner.green() - mark.green())
                      + qAbs(corner.blue() - mark.blue()),
                  24);
        EXPECT_GE(contrast(mark, palette.color(QPalette::Base)), 4.5);
    }
    QApplication::setPalette(light);
}

TEST_F(AccessTest, NothingIsCutWithALargeFont)
{
    const QFont normal = QApplication::font();
    QApplication::setFont(QFont(normal.family(), qRound(normal.pointSizeF() * 1.6)));
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
