// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvek::emulator {

// Stands for the play copy's path in a command line.
inline constexpr char kRomPlaceholder[] = "{rom}";

// A command line ready to choose, for an emulator found on this machine.
struct Preset {
    QString label;
    QString command;
};

// Where emulators and libretro cores are looked for: the system's places,
// or a test's own folders.
struct SearchPlaces {
    QStringList programFolders;
    QStringList coreFolders;
    static SearchPlaces system();
};

// One preset per emulator program found, and one per SNES core beside a
// RetroArch found; each opens the file it is given directly.
std::vector<Preset> findPresets(const SearchPlaces& places);

struct Launch {
    QString program;
    QStringList arguments;
};

// The command split as QProcess::splitCommand splits it, with {rom} replaced
// by romPath wherever it stands (the path is added at the end when the
// command does not say where); nullopt for a command with no program.
std::optional<Launch> resolve(const QString& command, const QString& romPath);

// The launch as one line that splits back into the same words.
QString shown(const Launch& launch);

// An argument as a command line must spell it to keep it one word.
QString quoted(const QString& argument);

} // namespace zorvek::emulator
