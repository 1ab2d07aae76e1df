// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/LimitedLineEdit.h"
#include "support/GuiTestBase.h"

#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QMenu>

using zorvek::ui::LimitedLineEdit;

namespace {

std::unique_ptr<LimitedLineEdit> numericBox(int limit)
{
    auto box = std::make_unique<LimitedLineEdit>();
    box->setInputLimit(limit);
    box->setCharacters(LimitedLineEdit::Characters::Numeric);
    box->show();
    box->setFocus();
    return box;
}

// Typing is judged by what it adds: a loaded text over the limit, or with a
// minus sign, can be shortened but not grown, and the editing keys still work.
TEST(LimitedLineEditTest, TypingIsJudgedByWhatItAdds)
{
    auto box = numericBox(4);
    box->setText("-32768");
    box->end(false);
    QTest::keyClicks(box.get(), "7-a");
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "-3276");
    QTest::keyClick(box.get(), Qt::Key_Home);
    QTest::keyClick(box.get(), Qt::Key_Delete);
    QTest::keyClick(box.get(), Qt::Key_Minus);
    QTest::keyClick(box.get(), Qt::Key_End);
    QTest::keyClick(box.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClicks(box.get(), "9.");
    EXPECT_EQ(box->text(), "3279");
}

void pasteByMenu(LimitedLineEdit* box, const QString& text)
{
    QApplication::clipboard()->setText(text);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(box, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    for (QAction* action : menu->actions())
        if (action->text().startsWith(QLineEdit::tr("&Paste")))
            action->trigger();
    menu->close();
}

void commit(LimitedLineEdit* box, const QString& text)
{
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
}

TEST(LimitedLineEditTest, EveryInsertionMeetsTheFilterAndIsCutToTheRoomLeftWhateverTheBoxHeld)
{
    // Every way a user puts text in, and whether it replaces the selection (a
    // drop goes in at the drop point instead).
    const std::tuple<const char*, bool, std::function<void(LimitedLineEdit*, const QString&)>> insertions[] = {
        {"Ctrl+V", true, zorvek::test::pasteInto},
        {"context menu", true, pasteByMenu},
        {"drop", false, [](LimitedLineEdit* box, const QString& text) { zorvek::test::dropOnto(box, text); }},
        {"input method", true, commit},
    };
    for (const auto& [way, replacesSelection, insert] : insertions) {
        auto box = numericBox(4);
        // After program text at the limit, over it, or with a minus sign:
        // nothing is stripped to pass the filter, nothing goes in without room.
        for (const char* loaded : {"1234", "150000", "-32768"}) {
            box->setText(loaded);
            box->end(false);
            for (const char* refused : {"-7 apples", "7-", "5"})
                insert(box.get(), refused);
            EXPECT_EQ(box->text(), loaded) << way;
            box->selectAll();
            insert(box.get(), "98765");
            EXPECT_EQ(box->text(), replacesSelection ? "9876" : loaded) << way;
        }
        box->setText("1");
        box->end(false);
        insert(box.get(), "2.3456");
        EXPECT_EQ(box->text(), "12.3") << way;
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

} // namespace
