// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/play/EmulatorCommand.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QPlainTextEdit;

namespace zorvek::ui {

// Chooses the command line that plays the image: an emulator found on this
// machine, or any command, shown exactly as it will run.
class EmulatorDialog : public QDialog {
    Q_OBJECT
public:
    // romPath: the play copy's path, shown in place of {rom}.
    EmulatorDialog(const emulator::SearchPlaces& places, const QString& command, const QString& romPath,
                   QWidget* parent = nullptr);
    QString command() const;

private:
    void presetChosen(int index);
    void commandEdited();

    QString m_romPath;
    QComboBox* m_presets = nullptr;
    QLineEdit* m_command = nullptr;
    QPlainTextEdit* m_runsAs = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
};

} // namespace zorvek::ui
