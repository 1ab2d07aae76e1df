// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace zorvek::ui {

class MainWindow;

// macOS hands a double-clicked or dropped-on-the-Dock image to the
// application as an event, not as an argument; it opens as File > Open would.
class FileOpenEventFilter : public QObject {
public:
    explicit FileOpenEventFilter(MainWindow& window, QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& m_window;
};

} // namespace zorvek::ui
