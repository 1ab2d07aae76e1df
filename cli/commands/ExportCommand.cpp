// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/ExportCommand.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "cli/TableFiles.h"
#include "core/image/SafeFileWriter.h"
#include "core/image/SameFile.h"
#include "core/table/MonsterTable.h"
#include "data/CharacterTable.h"

namespace zorvek::cli {

using namespace table;

namespace {

int exportCommand(const QString& image, const TablePaths& tables, Console& console)
{
    struct Output {
        QString path;
        const TableDefinition& table;
        std::function<RecordCells(RomImage&, int, CellValues)> cells;
    };
    const Output outputs[] = {
        {tables.monsters, monstertable::definition(), &monsterCells},
        {tables.characters, charactertable::definition(), &charactertable::cells},
    };
    // A table written over the image, or both over one file, destroys what
    // was there; a device or a folder is no place for one either. Nothing
    // is written when any output is refused.
    const auto isFile = [](const QString& path) { return !path.isEmpty() && path != kStandardStream; };
    for (const Output& output : outputs) {
        if (!isFile(output.path))
            continue;
        if (isSameFile(output.path, image)) {
            say(console,
                QStringLiteral("The table %1 would replace the image %2; give another file.").arg(output.path, image));
            return kUsageError;
        }
        if (const QString refused = SafeFileWriter::refusal(output.path); !refused.isEmpty()) {
            say(console, QStringLiteral("Cannot write %1: %2").arg(output.path, refused));
            return kWriteFailed;
        }
    }
    if (isFile(tables.monsters) && isFile(tables.characters) && isSameFile(tables.monsters, tables.characters)) {
        say(console, QStringLiteral("The two tables need two different files."));
        return kUsageError;
    }

    RomImage rom;
    if (IoResult r = readCopy(image, rom, console); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (!imageAccepted(rom, image, tables, console))
        return kImageRefused;
    for (const Output& output : outputs) {
        if (output.path.isEmpty())
            continue;
        const QByteArray text = tableText(output.table, [&](int i) { return output.cells(rom, i, CellValues::Shown); });
        if (output.path == kStandardStream) {
            if (!writeOutput(console, text))
                return kWriteFailed;
        } else if (IoResult r = SafeFileWriter::write(output.path, text); !r.ok()) {
            say(console, QStringLiteral("Cannot write %1: %2").arg(output.path, r.error));
            return kWriteFailed;
        }
    }
    return kSuccess;
}

} // namespace

ExportCommand::ExportCommand()
    : Command("export", {QStringLiteral("IMAGE")}, {QStringLiteral("monsters"), QStringLiteral("characters")},
              "  export IMAGE [--monsters FILE] [--characters FILE]\n"
              "                          Writes the 256 monsters and the 4 characters as\n"
              "                          tab-separated tables (FILE - is standard output).\n"
              "                          A FILE that is the image is refused.\n")
{ }

int ExportCommand::run(const Invocation& call) const
{
    int refused = kSuccess;
    const std::optional<TablePaths> tables = tablePaths(name(), call, &refused);
    return tables ? exportCommand(call.operands[0], *tables, call.console) : refused;
}

} // namespace zorvek::cli
