// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/play/EmulatorCommand.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

namespace zorvek::emulator {

namespace {

struct Known {
    const char* program;
    const char* label;
    const char* arguments; // before the file
};

// Each with what makes it start the game at once rather than a menu.
const Known kKnown[] = {
    {"mednafen", "Mednafen", ""},
    {"ares", "ares", "--system \"Super Famicom\" "},
    {"snes9x-gtk", "Snes9x (GTK)", ""},
    {"snes9x", "Snes9x", ""},
    {"bsnes", "bsnes", ""},
};

const char* const kCoreNames[] = {"snes9x", "bsnes", "mesen-s", "mesen_s"};

bool isSnesCore(const QString& fileName)
{
    if (!fileName.contains(QLatin1String("_libretro.")))
        return false;
    for (const char* name : kCoreNames)
        if (fileName.startsWith(QLatin1String(name)))
            return true;
    return false;
}

} // namespace

SearchPlaces SearchPlaces::system()
{
    SearchPlaces places;
    places.programFolders = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    const QString home = QDir::homePath();
    places.coreFolders = {home + QStringLiteral("/.config/retroarch/cores"),
                          home + QStringLiteral("/.var/app/org.libretro.RetroArch/config/retroarch/cores"),
                          QStringLiteral("/usr/lib/x86_64-linux-gnu/libretro"),
                          QStringLiteral("/usr/lib/aarch64-linux-gnu/libretro"),
                          QStringLiteral("/usr/lib/libretro"),
                          QStringLiteral("/usr/local/lib/libretro")};
    return places;
}

std::vector<Preset> findPresets(const SearchPlaces& places)
{
    std::vector<Preset> presets;
    const auto find = [&](const char* name) {
        return places.programFolders.isEmpty()
            ? QString()
            : QStandardPaths::findExecutable(QString::fromLatin1(name), places.programFolders);
    };
    const QString placeholder = QString::fromLatin1(kRomPlaceholder);
    if (const QString retroarch = find("retroarch"); !retroarch.isEmpty()) {
        for (const QString& folder : places.coreFolders) {
            const QDir dir(folder);
            for (const QString& core : dir.entryList(QDir::Files, QDir::Name)) {
                if (isSnesCore(core))
                    presets.push_back(
                        {QStringLiteral("RetroArch with %1").arg(core.section(u'_', 0, -2)),
                         quoted(retroarch) + QStringLiteral(" -L ") + quoted(dir.filePath(core)) + u' ' + placeholder});
            }
        }
    }
    for (const Known& known : kKnown) {
        if (const QString path = find(known.program); !path.isEmpty())
            presets.push_back({QString::fromLatin1(known.label),
                               quoted(path) + u' ' + QString::fromLatin1(known.arguments) + placeholder});
    }
    return presets;
}

std::optional<Launch> resolve(const QString& command, const QString& romPath)
{
    QStringList words = QProcess::splitCommand(command);
    if (words.isEmpty() || words.constFirst().isEmpty())
        return std::nullopt;
    const QString placeholder = QString::fromLatin1(kRomPlaceholder);
    bool placed = false;
    for (QString& word : words) {
        if (word.contains(placeholder)) {
            word.replace(placeholder, romPath);
            placed = true;
        }
    }
    if (!placed)
        words.append(romPath);
    const QString program = words.takeFirst();
    return Launch{program, words};
}

QString quoted(const QString& argument)
{
    if (!argument.isEmpty() && !argument.contains(u' ') && !argument.contains(u'"') && !argument.contains(u'\t'))
        return argument;
    // Inside quotes, three quotes stand for one.
    return u'"' + QString(argument).replace(QStringLiteral("\""), QStringLiteral("\"\"\"")) + u'"';
}

QString shown(const Launch& launch)
{
    QStringList words{quoted(launch.program)};
    for (const QString& argument : launch.arguments)
        words.append(quoted(argument));
    return words.join(u' ');
}

} // namespace zorvek::emulator
