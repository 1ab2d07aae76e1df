// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileSystemWatcher>
#include <QObject>

namespace zorvek {
class RomImage;
}

namespace zorvek::ui {

// Notices at once when another program changes, replaces or removes the
// open image, rather than at the next save. This program's own writes are
// not news: the image keeps how it stood after each of them.
class ImageWatcher : public QObject {
    Q_OBJECT
public:
    explicit ImageWatcher(RomImage& rom, QObject* parent = nullptr);

    // Watches the open image until stop(); said once until watched anew.
    void watch();
    void stop();

signals:
    // removed: the path leads to no file any more.
    void changedOutside(bool removed);

private:
    void look();

    RomImage& m_rom;
    QFileSystemWatcher m_watcher;
    enum class Said { Nothing, Removed, Changed } m_said = Said::Nothing;
};

} // namespace zorvek::ui
