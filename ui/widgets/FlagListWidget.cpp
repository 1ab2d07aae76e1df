// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/FlagListWidget.h"

#include <QMouseEvent>

namespace zorvek::ui {

FlagListWidget::FlagListWidget(QWidget* parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::MultiSelection);
}

void FlagListWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

} // namespace zorvek::ui
