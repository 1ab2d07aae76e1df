// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/image/HeaderlessImage.h"
#include "core/image/ImageCopy.h"
#include "core/image/SameFile.h"
#include "core/program/AppSettings.h"
#include "ui/ImageFileFilters.h"
#include "ui/SideEffects.h"

#include <QDir>
#include <QFileInfo>

namespace zorvek::ui {

namespace {

// Beside the image, named as it with .smc, but never the image itself.
QString proposedCopyName(const QFileInfo& image)
{
    const QDir folder = image.absoluteDir();
    const QString same = folder.filePath(image.completeBaseName() + QStringLiteral(".smc"));
    if (!isSameFile(same, image.filePath()))
        return same;
    return folder.filePath(image.completeBaseName() + QStringLiteral(" (with header).smc"));
}

} // namespace

void MainWindow::mnuAddHeader_Click()
{
    const std::optional<QString> source =
        m_effects.chooseFileToOpen(this, tr("Headerless ROM Image"),
                                   {headerlessImageFilter(), imageFileFilters().at(0)}, headerlessImageFilter(),
                                   AppSettings().openFolder());
    if (!source)
        return;
    const QString shownSource = QDir::toNativeSeparators(*source);
    const imagecopy::FileBytes bytes = imagecopy::readWhole(*source);
    if (!bytes.result.ok()) {
        m_effects.showMessage(this, MessageIcon::Exclamation, bytes.result.error);
        return;
    }
    if (const auto kind = headerless::classify(bytes.bytes); kind != headerless::Kind::ThisGame) {
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              headerless::refusalText(kind, shownSource, bytes.bytes.size())
                                  + tr("\nNothing was written."));
        return;
    }
    const QString smcFilter = imageFileFilters().at(1);
    const std::optional<SaveChoice> target =
        m_effects.chooseFileToSave(this, tr("Add Copier Header"), {smcFilter, imageFileFilters().at(0)}, smcFilter,
                                   proposedCopyName(QFileInfo(*source)));
    if (!target)
        return;
    // The dialog has asked before replacing a file.
    const imagecopy::Outcome written =
        imagecopy::writeCopy(target->path, imagecopy::headerFor(zorvek::CopierType::SuperMagicom) + bytes.bytes,
                             *source, true);
    if (!written.ok()) {
        m_effects.showMessage(this, MessageIcon::Exclamation, written.result.error);
        return;
    }
    openImage(target->path);
}

} // namespace zorvek::ui
