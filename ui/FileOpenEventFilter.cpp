// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FileOpenEventFilter.h"

#include "ui/MainWindow.h"

#include <QFileOpenEvent>
#include <QFileInfo>

namespace zorvek::ui {

FileOpenEventFilter::FileOpenEventFilter(MainWindow& window, QObject* parent) : QObject(parent), m_window(window) { }

bool FileOpenEventFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::FileOpen)
        return QObject::eventFilter(watched, event);
    const QString file = static_cast<QFileOpenEvent*>(event)->file();
    if (file.isEmpty())
        return false; // a URL that is not a local file: not ours to open
    // Queued, as a click on Open would run: never from inside whatever is handling events now.
    QMetaObject::invokeMethod(
        &m_window, [window = &m_window, path = QFileInfo(file).absoluteFilePath()] { window->openImage(path); },
        Qt::QueuedConnection);
    return true;
}

} // namespace zorvek::ui
