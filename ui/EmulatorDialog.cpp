// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/EmulatorDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace zorvek::ui {

namespace {

template <typename T>
T* named(T* widget, const char* name, const QString& accessibleName)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAccessibleName(accessibleName);
    return widget;
}

} // namespace

EmulatorDialog::EmulatorDialog(const emulator::SearchPlaces& places, const QString& command, const QString& romPath,
                               QWidget* parent)
    : QDialog(parent), m_romPath(romPath)
{
    setObjectName(QStringLiteral("EmulatorDialog"));
    setWindowTitle(tr("Emulator"));
    auto* form = new QFormLayout(this);

    m_presets = named(new QComboBox(this), "EmulatorPresetCBO", tr("Emulator found on this computer"));
    m_presets->addItem(tr("Own command"), QString());
    for (const emulator::Preset& preset : emulator::findPresets(places))
        m_presets->addItem(preset.label, preset.command);
    if (m_presets->count() == 1)
        m_presets->setItemText(0, tr("Own command (no emulator found on PATH)"));
    auto* presetLabel = new QLabel(tr("&Emulator:"), this);
    presetLabel->setBuddy(m_presets);
    form->addRow(presetLabel, m_presets);

    m_command = named(new QLineEdit(command, this), "EmulatorCommandTXT", tr("Command line"));
    m_command->setPlaceholderText(tr("emulator --option {rom}"));
    m_command->setMinimumWidth(m_command->fontMetrics().averageCharWidth() * 80);
    auto* commandLabel = new QLabel(tr("&Command:"), this);
    commandLabel->setBuddy(m_command);
    form->addRow(commandLabel, m_command);
    auto* hint = new QLabel(tr("{rom} stands for the play copy: the ROM data without its copier header, with a "
                               "valid checksum."),
                            this);
    hint->setObjectName(QStringLiteral("EmulatorHintLBL"));
    hint->setWordWrap(true);
    form->addRow(QString(), hint);

    // Read-only yet focusable, so the line can be read and copied from the
    // keyboard; wrapped, as paths make it long.
    m_runsAs = named(new QPlainTextEdit(this), "EmulatorRunsAsTXT", tr("Runs as"));
    m_runsAs->setReadOnly(true);
    m_runsAs->setTabChangesFocus(true);
    m_runsAs->setFixedHeight(m_runsAs->fontMetrics().lineSpacing() * 3 + 12);
    auto* runsAsLabel = new QLabel(tr("&Runs as:"), this);
    runsAsLabel->setBuddy(m_runsAs);
    form->addRow(runsAsLabel, m_runsAs);

    m_buttons = named(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this), "EmulatorButtons",
                      tr("Emulator dialog buttons"));
    form->addRow(m_buttons);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_presets, &QComboBox::activated, this, &EmulatorDialog::presetChosen);
    connect(m_command, &QLineEdit::textChanged, this, &EmulatorDialog::commandEdited);
    commandEdited();
}

QString EmulatorDialog::command() const { return m_command->text().trimmed(); }

void EmulatorDialog::presetChosen(int index)
{
    if (const QString preset = m_presets->itemData(index).toString(); !preset.isEmpty())
        m_command->setText(preset);
    m_command->setFocus();
}

void EmulatorDialog::commandEdited()
{
    const std::optional<emulator::Launch> launch = emulator::resolve(command(), m_romPath);
    m_runsAs->setPlainText(launch ? emulator::shown(*launch) : tr("(no command)"));
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(launch.has_value());
    // The list says which preset the command is, or that it is an own one.
    const int shownPreset = m_presets->findData(command());
    m_presets->setCurrentIndex(shownPreset < 0 ? 0 : shownPreset);
}

} // namespace zorvek::ui
