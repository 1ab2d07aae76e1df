// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/play/EmulatorCommand.h"
#include "core/program/AppSettings.h"
#include "ui/ApplyPatchDialog.h"
#include "ui/PlayLauncher.h"
#include "ui/SideEffects.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"

#include <QDir>

namespace zorvek::ui {

void MainWindow::mnuApplyPatch_Click()
{
    if (isLoaded())
        ApplyPatchDialog::start(m_session, m_effects, m_table ? &m_table->model() : nullptr, this);
}

void MainWindow::mnuPlay_Click()
{
    if (!isLoaded())
        return;
    if (!emulator::resolve(AppSettings().emulatorCommand(), {})) {
        m_launcher->chooseEmulator(this, m_session.rom().path(), [this] { mnuPlay_Click(); });
        return;
    }
    std::vector<table::monstertable::RecordSave> unsaved;
    if (m_table) {
        MonsterTableModel::Saves saves = m_table->model().saves();
        if (!saves.refusal.isEmpty()) {
            m_effects.showMessage(this, MessageIcon::Exclamation, saves.refusal + tr("\nNothing was started."));
            return;
        }
        unsaved = std::move(saves.records);
    }
    if (const QString said = m_launcher->play(this, m_session, unsaved); !said.isEmpty())
        showNotice(said, QDir::toNativeSeparators(m_launcher->copyPathFor(m_session.rom().path())));
}

void MainWindow::mnuEmulator_Click()
{
    m_launcher->chooseEmulator(this, isLoaded() ? m_session.rom().path() : QString());
}

} // namespace zorvek::ui
