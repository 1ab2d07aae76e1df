// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>

namespace zorvek::ui {

// File > Open Recent: the images opened last, newest first, as kept in the
// settings, with "Clear List" at the end.
class RecentImagesMenu : public QMenu {
    Q_OBJECT
public:
    explicit RecentImagesMenu(QWidget* parent = nullptr);

    // Builds the entries again from the settings.
    void refresh();

signals:
    void imageChosen(const QString& path);

private:
    QAction* m_clear = nullptr;
};

} // namespace zorvek::ui
