// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/play/EmulatorCommand.h"
#include "core/table/MonsterTable.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QProcess;
class QWidget;

namespace zorvek {
class ImageSession;
}

namespace zorvek::ui {

class EmulatorDialog;
class SideEffects;

// Play in Emulator: writes the play copy of the open image into the cache
// folder and starts the chosen emulator on it without waiting. An emulator
// that cannot start, or ends with an error at once, is reported; one that
// runs is left alone, also after this program ends.
class PlayLauncher : public QObject {
    Q_OBJECT
public:
    // How long after its start an emulator's failure is still reported.
    static constexpr int kEarlyEndMs = 2000;

    PlayLauncher(SideEffects& effects, const QString& cacheFolder, QObject* parent = nullptr);
    ~PlayLauncher() override;

    void setSearchPlaces(const emulator::SearchPlaces& places) { m_places = places; }
    QString copyPathFor(const QString& imagePath) const;

    // Starts the emulator on a fresh copy of the image with the unsaved
    // monster records on top; returns the text for the status line, empty
    // when nothing started (the reason was shown).
    QString play(QWidget* parent, ImageSession& session, const std::vector<table::monstertable::RecordSave>& unsaved);

    // Opens the emulator dialog without waiting; chosen runs once a command
    // is kept.
    void chooseEmulator(QWidget* parent, const QString& imagePath, std::function<void()> chosen = {});

signals:
    // The emulator's process was asked to start.
    void started();

private:
    void watch(QProcess* process, QWidget* parent, const QString& shownCommand, const QString& logPath);

    SideEffects& m_effects;
    QString m_cacheFolder;
    emulator::SearchPlaces m_places;
    QPointer<EmulatorDialog> m_dialog;
    std::vector<QPointer<QProcess>> m_running;
};

} // namespace zorvek::ui
