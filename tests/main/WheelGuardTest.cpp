#include "main/WheelGuard.h"

#include <QComboBox>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace {

void turnWheelDown(QWidget* widget)
{
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
}

TEST(WheelGuardTest, AListChangesByWheelOnlyWhileFocused)
{
    QWidget window;
    auto* other = new QComboBox(&window);
    auto* list = new QComboBox(&window);
    list->move(0, 40);
    list->addItems({"a", "b", "c"});
    zorvek::WheelGuard::install(list);
    window.show();
    other->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    turnWheelDown(list);
    EXPECT_EQ(list->currentIndex(), 0);

    list->setFocus();
    turnWheelDown(list);
    EXPECT_EQ(list->currentIndex(), 1);
}

} // namespace
