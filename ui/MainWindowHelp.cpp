// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/program/Documentation.h"
#include "ui/AboutDialog.h"
#include "ui/SideEffects.h"

#include <QUrl>

namespace zorvek::ui {

void MainWindow::mnuReadme_Click()
{
    const QString readme = docs::readmePath(m_effects.programFolder());
    if (readme.isEmpty() || !m_effects.openUrl(QUrl::fromLocalFile(readme)))
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("You must be connected to the internet in order to read the readme online.\r\n"
                                 "Please feel free to read the readme packaged with this editor."));
}

void MainWindow::mnuURL_Click()
{
    if (const QUrl page = docs::homePage(m_effects.programFolder()); page.isValid())
        m_effects.openUrl(page);
}

void MainWindow::mnuAbout_Click()
{
    auto* about = new AboutDialog(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    // Modal for the user without a nested event loop.
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}

} // namespace zorvek::ui
