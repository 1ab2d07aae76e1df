// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/header/CopierHeader.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/RollbackJournal.h"
#include "core/program/AppSettings.h"
#include "ui/ImageFileFilters.h"
#include "ui/ImageWatcher.h"
#include "ui/SideEffects.h"
#include "ui/monsters/MonsterTableWindow.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "ui/widgets/RecentImagesMenu.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>

namespace zorvek::ui {

namespace {

// The one local file a drag carries, or nothing.
QString droppedImage(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    const QString path = data->urls().constFirst().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

} // namespace

void MainWindow::LoadROM()
{
    const std::optional<QString> chosen =
        m_effects.chooseFileToOpen(this, {}, imageFileFilters(), imageFileFilters().at(1), AppSettings().openFolder());
    if (!chosen)
        return; // a cancelled dialog leaves the open image as it was
    openImage(*chosen);
}

void MainWindow::openImage(const QString& path)
{
    if (!settleMonsterTable())
        return;
    closeImage();
    const IoResult opened = m_session.rom().open(path);
    if (!opened.ok()) {
        enterNotLoadedState();
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The file \"%1\" could not be opened for reading and writing:\n%2")
                                  .arg(QDir::toNativeSeparators(path), opened.error));
        return;
    }
    AppSettings().rememberOpenedFile(path);
    const rollback::Recovery found = rollback::recover(m_session.rom());
    if (found.state == rollback::Recovery::State::Busy) {
        m_session.rom().close();
        enterNotLoadedState();
        m_effects.showMessage(
            this, MessageIcon::Exclamation,
            tr("The file \"%1\" was not opened:\n%2").arg(QDir::toNativeSeparators(path), found.reason));
        return;
    }
    if (m_session.rom().readFailure().ok()) // else refused below, with the reason
        showRecovery(found);
    {
        const ImageLockHold oneState(m_session.rom(), LockMode::Shared);
        LoadIName();
        LoadCopierType();
    }
    if (!refuseUnread())
        return;
    enterLoadedState();
    if (!CheckROM())
        return;
    m_watcher->watch();
    // Only images that stay open are worth opening again.
    AppSettings().rememberRecentImage(path);
    m_recent->refresh();
}

void MainWindow::openRecent(const QString& path)
{
    if (QFileInfo(path).isFile()) {
        openImage(path);
        return;
    }
    AppSettings().forgetRecentImage(path);
    m_recent->refresh();
    m_effects.showMessage(this, MessageIcon::Exclamation,
                          tr("The file \"%1\" is no longer there; it was taken off the Open Recent list.")
                              .arg(QDir::toNativeSeparators(path)));
}

void MainWindow::showRecovery(const rollback::Recovery& found)
{
    using State = rollback::Recovery::State;
    const QString image = QDir::toNativeSeparators(m_session.rom().path());
    const QString journal = QDir::toNativeSeparators(found.journal);
    switch (found.state) {
    case State::None:
        showNotice(tr(kDefaultNotice), {});
        break;
    case State::TornRemoved:
        showNotice(tr("A journal of a step that never began was removed."),
                   tr("The rollback journal \"%1\" of a step cut off before it wrote to the ROM image was removed.")
                       .arg(journal));
        break;
    case State::TakenBack:
        showNotice(tr("A step cut off by a crash was taken back."),
                   tr("The ROM image \"%1\" held part of a step cut off by a crash; its rollback journal \"%2\" "
                      "put back the bytes from before that step and was removed.")
                       .arg(image, journal));
        break;
    case State::Changed:
        showNotice(tr(kDefaultNotice), {});
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The ROM image \"%1\" has the rollback journal \"%2\" of a step cut off by a "
                                 "crash, but another program has changed the image since. Both were left as they "
                                 "are.\n\nNothing can be saved into the image while the journal is there: move "
                                 "the journal away to save anyway.")
                                  .arg(image, journal));
        break;
    case State::Refused:
        showNotice(tr(kDefaultNotice), {});
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The file \"%1\" beside the ROM image \"%2\" was left alone as no rollback "
                                 "journal of it: %3.\n\nImage and journal were left as they are. Nothing can be "
                                 "saved into the image while the file is there: move it away to save.")
                                  .arg(journal, image, found.reason));
        break;
    case State::Busy: // refused before
    case State::Failed:
        showNotice(tr(kDefaultNotice), {});
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The ROM image \"%1\" holds part of a step cut off by a crash, and taking it back "
                                 "with its rollback journal \"%2\" failed:\n%3\n\nOpen the image again to retry.")
                                  .arg(image, journal, found.reason));
        break;
    }
}

bool MainWindow::refuseUnread()
{
    const IoResult unread = m_session.rom().takeReadFailure();
    if (unread.ok())
        return true;
    // Zeros in place of the name or the check word say nothing about the
    // image: it is not taken, and the program does not end over it.
    reportReadFailure(this, unread, tr("It was not opened."));
    m_session.rom().close();
    enterNotLoadedState();
    return false;
}

bool MainWindow::CheckROM()
{
    const bool rightGame = romcheck::isRightGame(m_session.rom());
    if (!refuseUnread())
        return false;
    if (rightGame)
        return true;
    const QString refusal = tr("You must load the correct Zorvek ROM file.  Application will now close.");
    if (headerless::lacksCopierHeader(m_session.rom()))
        m_effects.explainMessage(this, MessageIcon::Critical, refusal,
                                 tr("This file is the game's ROM data without a copier header, which this editor "
                                    "cannot edit in place. File > Add Copier Header... makes a copy with a header "
                                    "that you can open and edit; this file stays as it is."));
    else
        m_effects.showMessage(this, MessageIcon::Critical, refusal);
    // Nothing more may reach this file.
    m_session.rom().close();
    showWriteState();
    endProgram(1);
    return false;
}

void MainWindow::mnuClose_Click()
{
    if (!settleMonsterTable())
        return;
    closeImage();
    showNotice(tr(kDefaultNotice), {});
    enterNotLoadedState();
}

bool MainWindow::settleMonsterTable() { return !m_table || m_table->settleUnsavedChanges(); }

void MainWindow::closeImage()
{
    m_watcher->stop();
    m_reopenDue = false;
    if (const CommandOutcome r = m_session.close(); !r.ok())
        reportFailure(r);
    m_headerRead = IoResult::success();
    // The table shows one image; its changes were settled before.
    if (m_table)
        m_table->closeForGoodImage();
}

void MainWindow::mnuQuit_Click()
{
    if (m_quitting || !settleMonsterTable())
        return;
    closeImage();
    endProgram(0);
}

void MainWindow::endProgram(int exitCode)
{
    // Ending closes every window, this one too; its close box must not
    // start a second, different ending.
    m_quitting = true;
    m_effects.endProgram(exitCode);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_quitting && !settleMonsterTable()) {
        event->ignore();
        return;
    }
    mnuQuit_Click();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedImage(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedImage(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openImage(path);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_nameText) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!droppedImage(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!droppedImage(drop->mimeData()).isEmpty()) {
                dropEvent(drop);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::imageChangedOutside(bool removed)
{
    const QString path = m_session.rom().path();
    const QString shown = QDir::toNativeSeparators(path);
    const QString saves = tr("Saves write nothing into it until it is opened again.");
    if (removed) {
        showNotice(tr("Another program removed or renamed the image."), tr("\"%1\" is gone. %2").arg(shown, saves));
        return;
    }
    showNotice(tr("Another program changed the image."), tr("\"%1\" was changed or replaced. %2").arg(shown, saves));
    // An editor open in this window's place keeps its own values: the offer
    // waits for the editor to close.
    m_reopenDue = !isVisible();
    if (!m_reopenDue)
        offerReopen();
}

void MainWindow::offerReopen()
{
    const QString path = m_session.rom().path();
    const QString shown = QDir::toNativeSeparators(path);
    if (m_effects.askYesNo(this,
                           tr("Another program changed or replaced the ROM image \"%1\".\n\nOpen it again "
                              "to see what it holds now?")
                               .arg(shown)))
        openImage(path);
}

} // namespace zorvek::ui
