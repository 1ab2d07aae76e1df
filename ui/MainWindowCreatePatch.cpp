// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/image/SameFile.h"
#include "patches/PatchMaker.h"
#include "ui/ImageFileFilters.h"
#include "ui/SideEffects.h"

#include <QDir>
#include <QFileInfo>

namespace zorvek::ui {

void MainWindow::mnuCreatePatch_Click()
{
    if (!isLoaded())
        return;
    const QFileInfo image(m_session.rom().path());
    const std::optional<QString> original =
        m_effects.chooseFileToOpen(this, tr("Unmodified Original Image"), originalImageFilters(),
                                   originalImageFilters().constFirst(), image.absolutePath());
    if (!original)
        return;
    const std::optional<SaveChoice> target =
        m_effects.chooseFileToSave(this, tr("Create Patch"), patchSaveFilters(), patchSaveFilters().constFirst(),
                                   image.absoluteDir().filePath(image.completeBaseName() + QStringLiteral(".ips")));
    if (!target)
        return;
    const QString shown = QDir::toNativeSeparators(target->path);
    // By the file, not the name: a link or another spelling still leads to the image.
    const bool replacesImage = isSameFile(target->path, m_session.rom().path());
    if (replacesImage || isSameFile(target->path, *original)) {
        m_effects.showMessage(
            this, MessageIcon::Exclamation,
            replacesImage ? tr("The patch \"%1\" was not written: it would replace the open ROM image.").arg(shown)
                          : tr("The patch \"%1\" was not written: it would replace the original image \"%2\".")
                                .arg(shown, QDir::toNativeSeparators(*original)));
        return;
    }
    const QByteArray romData = patches::romDataOf(m_session.rom());
    if (const IoResult unread = m_session.rom().takeReadFailure(); !unread.ok()) {
        reportReadFailure(this, unread, tr("The patch \"%1\" was not written.").arg(shown));
        return;
    }
    const IoResult made = patches::createPatchFile(*original, romData, target->path,
                                                   patchFormatFor(target->selectedFilter, target->path));
    if (!made.ok()) {
        m_effects.showMessage(this, MessageIcon::Exclamation, made.error);
        return;
    }
    m_effects.showMessage(this, MessageIcon::Information, tr("The patch \"%1\" was written.").arg(shown));
}

} // namespace zorvek::ui
