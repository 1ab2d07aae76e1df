// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ImageWatcher.h"

#include "core/image/RomImage.h"

#include <QFileInfo>

namespace zorvek::ui {

ImageWatcher::ImageWatcher(RomImage& rom, QObject* parent) : QObject(parent), m_rom(rom), m_watcher(this)
{
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &ImageWatcher::look);
    // A file put in place by a rename drops the watch on the old one; the
    // folder sees the rename.
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &ImageWatcher::look);
}

void ImageWatcher::watch()
{
    stop();
    if (!m_rom.isFileOnDisk())
        return;
    const QFileInfo image(m_rom.path());
    m_watcher.addPath(image.absoluteFilePath());
    m_watcher.addPath(image.absolutePath());
}

void ImageWatcher::stop()
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_said = Said::Nothing;
}

void ImageWatcher::look()
{
    if (m_said == Said::Changed || !m_rom.isFileOnDisk())
        return;
    const QString path = QFileInfo(m_rom.path()).absoluteFilePath();
    const bool removed = !QFileInfo::exists(path);
    // The replacing file is watched too, for a change after this one.
    if (!removed && !m_watcher.files().contains(path))
        m_watcher.addPath(path);
    if (m_rom.checkSameFile().ok() || (removed && m_said == Said::Removed))
        return;
    // Gone now may be a file written anew under the name a moment later.
    m_said = removed ? Said::Removed : Said::Changed;
    emit changedOutside(removed);
}

} // namespace zorvek::ui
