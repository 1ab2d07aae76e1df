// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/header/CopierHeader.h"
#include "core/header/EditorStamp.h"
#include "core/header/InternalName.h"
#include "core/image/PendingStamp.h"
#include "core/image/RomChecksum.h"
#include "core/program/AppInfo.h"
#include "data/Artwork.h"
#include "ui/ImageWatcher.h"
#include "ui/PlayLauncher.h"
#include "ui/SideEffects.h"
#include "ui/WriteFailureMessage.h"
#include "ui/characters/CharacterEditor.h"
#include "ui/monsters/MonsterEditor.h"
#include "ui/monsters/MonsterTableWindow.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "ui/widgets/NamedComboBoxes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QIcon>
#include <QPixmap>
#include <QStandardPaths>

#include <utility>

namespace zorvek::ui {

MainWindow::MainWindow(SideEffects& effects, QWidget* parent)
    : QMainWindow(parent), m_effects(effects), m_session(effects)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    setWindowIcon(QIcon(QPixmap::fromImage(data::applicationIcon())));
    nameComboBoxesByPurpose();
    connect(&m_session.pendingStamp(), &PendingStamp::writeFailed, this, &MainWindow::reportFailure);
    // Editors save from their own windows; the state shown here follows every write.
    connect(&m_session.writes(), &ImageWriteSession::written, this, &MainWindow::showWriteState);
    connect(&m_session.writes(), &ImageWriteSession::replayed, this, &MainWindow::reloadTouched);
    m_launcher = new PlayLauncher(effects, QStandardPaths::writableLocation(QStandardPaths::CacheLocation), this);
    m_watcher = new ImageWatcher(m_session.rom(), this);
    connect(m_watcher, &ImageWatcher::changedOutside, this, &MainWindow::imageChangedOutside);

    createActions();
    createMenus();
    createToolBars();
    createCentralArea();
    applyWriteOptions();
    showWriteState();
    m_copierType->setCurrentIndex(static_cast<int>(zorvek::CopierType::NotLoaded));
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
    setAcceptDrops(true);
}

MainWindow::~MainWindow()
{
    // The session, which outlives this body, writes a stamp still due.
    delete m_monsterEditor;
    delete m_characterEditor;
    delete m_table;
}

MonsterEditor* MainWindow::monsterEditor() const { return m_monsterEditor.data(); }
CharacterEditor* MainWindow::characterEditor() const { return m_characterEditor.data(); }
MonsterTableWindow* MainWindow::monsterTable() const { return m_table.data(); }

void MainWindow::showAgain()
{
    show();
    raise();
    activateWindow();
    if (std::exchange(m_reopenDue, false) && isLoaded())
        offerReopen();
}

void MainWindow::reportWriteFailure(QWidget* parent, const QString& reason)
{
    ui::reportWriteFailure(m_effects, parent, m_session.rom().path(), reason);
}

void MainWindow::reportReadFailure(QWidget* parent, const IoResult& failure, const QString& consequence)
{
    ui::reportReadFailure(m_effects, parent, m_session.rom().path(), failure, consequence);
}

void MainWindow::reportFailure(const CommandOutcome& outcome)
{
    ui::reportFailure(m_effects, this, m_session.rom().path(), outcome);
}

void MainWindow::LoadIName() { m_nameText->setText(internalname::read(m_session.rom())); }

IoResult MainWindow::SaveIName() { return internalname::write(m_session.rom(), m_nameText->text()); }

void MainWindow::LoadCopierType()
{
    m_copierType->setCurrentIndex(static_cast<int>(copier::detect(m_session.rom())));
    m_copierPicked = false;
}

IoResult MainWindow::SaveHeader(bool* noticeDue)
{
    const int index = m_copierType->currentIndex();
    if (index < 0 || index >= static_cast<int>(zorvek::CopierType::NotLoaded))
        return IoResult::success();
    const auto type = static_cast<zorvek::CopierType>(index);
    // Index 0 also stands for a header of a form we do not know: a save made
    // only to rename must not wipe it.
    if (type == zorvek::CopierType::Undetected && !m_copierPicked)
        return IoResult::success();
    if (auto r = copier::write(m_session.rom(), type); !r.ok())
        return r;
    *noticeDue = type == zorvek::CopierType::Undetected;
    return IoResult::success();
}

void MainWindow::SaveROM()
{
    if (!isLoaded())
        return;
    if (!m_headerRead.ok()) {
        reportReadFailure(this, m_headerRead,
                          tr("Nothing was written: the name and the copier type shown are not the file's. "
                             "Open the image again to save."));
        return;
    }
    // A file replaced, or too short for the name, gets no stamp either.
    if (auto r = m_session.writes().check(internalname::kOffset, internalname::kLength); !r.ok()) {
        reportWriteFailure(this, r.error);
        return;
    }
    bool noticeDue = false;
    const CommandOutcome saved = m_session.writes().run(QStringLiteral("Save ROM"), CommandKind::Save, [&] {
        IoResult result = SaveQuenHeader(m_session.rom(), m_effects.now());
        if (result.ok())
            result = SaveIName();
        if (result.ok())
            result = SaveHeader(&noticeDue);
        return result;
    });
    if (!saved.ok()) {
        reportFailure(saved);
        return;
    }
    // Shown once the step is closed: while the box waits, a character
    // save's stamp may fall due, and it is a step of its own.
    if (noticeDue)
        m_effects.showMessage(this, MessageIcon::Information,
                              tr("With this setting the ROM may not work in a Super Wild Card or Super MagiCom "
                                 "copier machine to play.\r\nPlease use the Super Wild Card or Super MagiCom "
                                 "header if you wish to play this ROM in a copier machine."));
}

void MainWindow::mnuFixChecksum_Click()
{
    if (!isLoaded())
        return;
    const CommandOutcome fixed = m_session.writes().run(QStringLiteral("Fix checksum"), CommandKind::Other,
                                                        [this] { return checksum::fix(m_session.rom()); });
    if (!fixed.ok())
        reportFailure(fixed);
}

void MainWindow::mnuUndo_Click() { replay(true); }
void MainWindow::mnuRedo_Click() { replay(false); }

void MainWindow::replay(bool back)
{
    if (!isLoaded())
        return;
    // A stamp still due belongs to a save that is being taken back, or
    // would end the way forward; it is dropped.
    m_session.pendingStamp().cancel();
    const ReplayOutcome outcome = back ? m_session.writes().undo() : m_session.writes().redo();
    if (outcome.result.ok())
        return;
    QString reason = outcome.result.error;
    if (outcome.historyDropped)
        reason += tr("\nThe file could not be put back as it was either, so nothing can be undone or redone any more.");
    // From an editor this window is hidden; the message goes over the editor.
    QWidget* parent = isVisible() || !QApplication::activeWindow() ? this : QApplication::activeWindow();
    reportWriteFailure(parent, reason);
}

void MainWindow::reloadTouched(const UndoStep& step)
{
    // The file changed under the name box and the copier list: they show it again.
    const bool name = step.touches(internalname::kOffset, internalname::kLength);
    const bool header = step.touches(copier::kWordAOffset, copier::kWordCOffset + 4);
    if (name)
        LoadIName();
    if (header)
        LoadCopierType();
    if (!name && !header)
        return;
    // Until read again, Save ROM would write the zeros of a failed read.
    m_headerRead = m_session.rom().takeReadFailure();
    if (!m_headerRead.ok())
        reportReadFailure(isVisible() || !QApplication::activeWindow() ? this : QApplication::activeWindow(),
                          m_headerRead,
                          tr("The name and the copier type shown are not the file's; Save ROM "
                             "writes nothing until the image is opened again."));
}

void MainWindow::ToolbarSave_Click()
{
    if (!m_loaded) {
        m_effects.showMessage(this, MessageIcon::Critical, tr("You need to load your Zorvek ROM to continue."));
        return;
    }
    SaveROM();
}

void MainWindow::openMonsterEditor()
{
    if (!isLoaded())
        return;
    if (!m_monsterEditor) {
        m_monsterEditor = new MonsterEditor(m_session, m_effects, m_nameText->text());
        connect(m_monsterEditor, &MonsterEditor::closed, this, &MainWindow::showAgain);
    }
    showEditor(m_monsterEditor);
}

void MainWindow::openCharacterEditor()
{
    if (!isLoaded())
        return;
    if (!m_characterEditor) {
        m_characterEditor = new CharacterEditor(m_session, m_effects, m_nameText->text());
        connect(m_characterEditor, &CharacterEditor::closed, this, &MainWindow::showAgain);
    }
    showEditor(m_characterEditor);
}

void MainWindow::openMonsterTable()
{
    if (!isLoaded())
        return;
    if (!m_table) {
        m_table = new MonsterTableWindow(m_session, m_effects, m_nameText->text());
        m_table->offerUndo(m_undo, m_redo);
        m_table->addAction(m_play);
        connect(m_table, &MonsterTableWindow::recordsWritten, this, [this](const QList<int>& records) {
            if (m_monsterEditor)
                m_monsterEditor->reloadIfAmong(records);
        });
    }
    // Beside the main window, not in its place: the table lives alongside.
    if (!m_table->isVisible())
        m_table->placeBeside(this);
    m_table->show();
    m_table->raise();
    m_table->activateWindow();
}

void MainWindow::showEditor(QWidget* editor)
{
    // The editor hides this window, yet its saves are undone by the same keys
    // there; a focused text box still claims them for its own undo first.
    editor->addActions({m_undo, m_redo});
    // The caption the editor builds stays; the path is there for the desktop.
    editor->setWindowFilePath(m_session.rom().path());
    hide();
    editor->show();
    editor->raise();
    editor->activateWindow();
}

} // namespace zorvek::ui
