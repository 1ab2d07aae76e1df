// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/WheelGuard.h"

#include <QEvent>
#include <QWidget>

namespace zorvek::ui {

void WheelGuard::install(QWidget* widget)
{
    // Clicks and Tab still give focus; only the wheel no longer does.
    widget->setFocusPolicy(Qt::StrongFocus);
    widget->installEventFilter(new WheelGuard(widget));
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        auto* widget = static_cast<QWidget*>(watched);
        if (!widget->hasFocus()) {
            event->ignore(); // lets the window around it scroll instead
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvek::ui
