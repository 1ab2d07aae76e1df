#include "main/LimitedLineEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include <gtest/gtest.h>

using zorvek::LimitedLineEdit;

namespace {

LimitedLineEdit* numericBox(int limit)
{
    auto* box = new LimitedLineEdit;
    box->setInputLimit(limit);
    box->setCharacters(LimitedLineEdit::Characters::Numeric);
    box->show();
    box->setFocus();
    return box;
}

TEST(LimitedLineEditTest, ProgramTextIsNeverCutButTypingCannotGrowIt)
{
    std::unique_ptr<LimitedLineEdit> box(numericBox(2));
    box->setText("150");
    EXPECT_EQ(box->text(), "150");
    box->end(false);
    QTest::keyClick(box.get(), Qt::Key_7);
    EXPECT_EQ(box->text(), "150");
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "15");
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    QTest::keyClicks(box.get(), "99");
    EXPECT_EQ(box->text(), "19");
}

TEST(LimitedLineEditTest, AStandInForAnEmptiedBoxGivesWayToTyping)
{
    std::unique_ptr<LimitedLineEdit> box(numericBox(2));
    QObject::connect(box.get(), &QLineEdit::textChanged, box.get(), [&box](const QString& text) {
        if (text.isEmpty())
            box->setCorrectedText("0");
    });
    box->setText("7");
    box->end(false);
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "0");
    QTest::keyClicks(box.get(), "45");
    EXPECT_EQ(box->text(), "45");
}

TEST(LimitedLineEditTest, KeyFilterKeepsEditingKeysWorking)
{
    std::unique_ptr<LimitedLineEdit> box(numericBox(5));
    QTest::keyClicks(box.get(), "1a-2,.3 e");
    EXPECT_EQ(box->text(), "12.3");
    QTest::keyClick(box.get(), Qt::Key_Home);
    QTest::keyClick(box.get(), Qt::Key_Delete);
    EXPECT_EQ(box->text(), "2.3");
    QTest::keyClick(box.get(), Qt::Key_End);
    QTest::keyClick(box.get(), Qt::Key_Left, Qt::ShiftModifier);
    QTest::keyClick(box.get(), Qt::Key_9);
    EXPECT_EQ(box->text(), "2.9");
}

TEST(LimitedLineEditTest, ProgramSetNegativeTextCanBeShortenedButNotExtendedWithSigns)
{
    std::unique_ptr<LimitedLineEdit> box(numericBox(4));
    box->setText("-32768");
    box->end(false);
    QTest::keyClick(box.get(), Qt::Key_Backspace);
    EXPECT_EQ(box->text(), "-3276");
    QTest::keyClick(box.get(), Qt::Key_Home);
    QTest::keyClick(box.get(), Qt::Key_Delete);
    EXPECT_EQ(box->text(), "3276");
    QTest::keyClick(box.get(), Qt::Key_Minus);
    EXPECT_EQ(box->text(), "3276");
}

TEST(LimitedLineEditTest, PasteIsHeldToDigitsAndTheLimit)
{
    std::unique_ptr<LimitedLineEdit> box(numericBox(3));
    QApplication::clipboard()->setText("4x2");
    box->paste();
    EXPECT_EQ(box->text(), "");
    QApplication::clipboard()->setText("12345");
    box->paste();
    EXPECT_EQ(box->text(), "");
    QApplication::clipboard()->setText("1.5");
    box->paste();
    EXPECT_EQ(box->text(), "1.5");
}

} // namespace
