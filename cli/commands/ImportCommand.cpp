// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/ImportCommand.h"

#include "cli/CommandSupport.h"
#include "cli/DryRun.h"
#include "cli/ImageAccess.h"
#include "cli/ImportPlan.h"
#include "cli/TableFiles.h"
#include "core/table/MonsterTable.h"
#include "data/CharacterTable.h"

#include <tuple>

namespace zorvek::cli {

using namespace table;

namespace {

int importCommand(const QString& image, const TablePaths& tables, bool dryRun, const WriteOptions& options,
                  Console& console, const QDateTime& now)
{
    // A dry run never needs to write, so it reads the file; an import opens
    // it as the windows do and reads it once. Both plan on a copy.
    RomImage rom;
    QByteArray imageBytes;
    const IoResult opened = dryRun ? readWhole(image, imageBytes, console) : rom.open(image);
    if (!opened.ok()) {
        say(console, QStringLiteral("Cannot open %1: %2").arg(image, opened.error));
        return kImageRefused;
    }
    if (int refused = kSuccess; !dryRun && !takeBackInFile(rom, image, console, &refused))
        return refused;
    if (!dryRun) {
        imageBytes = rom.readBytes(0, rom.size());
        if (IoResult r = rom.takeReadFailure(); !r.ok()) {
            say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
            return kImageRefused;
        }
    }
    RomImage current;
    current.openCopy(imageBytes, RomImage::CopyAccess::ReadOnly);
    if (!imageAccepted(current, image, tables, console))
        return kImageRefused;

    ImportPlan plan;
    using Planner = std::optional<TableError> (*)(const TableFile&, RomImage&, ImportPlan&);
    const std::tuple<QString, const TableDefinition&, Planner> inputs[] = {
        {tables.monsters, monstertable::definition(), &planMonsters},
        {tables.characters, charactertable::definition(), &planCharacters},
    };
    for (const auto& [path, table, planner] : inputs) {
        if (path.isEmpty())
            continue;
        const std::optional<TableFile> file = readTable(path, table, console);
        if (!file) {
            say(console, QStringLiteral("Nothing was written."));
            return kTableRefused;
        }
        if (const auto error = planner(*file, current, plan)) {
            say(console, error->message());
            say(console, QStringLiteral("Nothing was written."));
            return kTableRefused;
        }
    }

    if (plan.isEmpty()) {
        say(console, QStringLiteral("Nothing to change: the tables match the image."));
        return kSuccess;
    }
    if (dryRun) {
        const DryRunReport report = dryRunReport(imageBytes, plan, options.fixChecksumOnSave, now);
        if (!report.result.ok()) {
            say(console, QStringLiteral("The import would fail: %1\nNothing was written.").arg(report.result.error));
            return kWriteFailed;
        }
        if (!writeOutput(console, report.lines))
            return kWriteFailed;
        say(console, report.summary);
        return kSuccess;
    }
    ImageWriteSession session(rom, [now] { return now; });
    session.setOptions(options);
    const CommandOutcome written = commitImport(session, imageBytes, plan, now);
    if (!written.ok()) {
        say(console, failureText(image, written));
        return kWriteFailed;
    }
    sayBackup(session, console);
    say(console,
        QStringLiteral("%1 changed%2.")
            .arg(changeCount(plan),
                 options.fixChecksumOnSave ? QStringLiteral(", checksum words included") : QString()));
    return kSuccess;
}

} // namespace

ImportCommand::ImportCommand()
    : Command("import", {QStringLiteral("IMAGE")},
              {QStringLiteral("monsters"), QStringLiteral("characters"), QStringLiteral("dry-run"),
               QStringLiteral("no-backup"), QStringLiteral("fix-checksum")},
              "  import IMAGE [--monsters FILE] [--characters FILE] [OPTION...]\n"
              "                          Writes the records that differ in the tables back\n"
              "                          into the image (FILE - is standard input). Every\n"
              "                          cell is checked first: one bad cell and nothing is\n"
              "                          written. A write that fails part way is taken back.\n"
              "                          Options: --dry-run, --no-backup, --fix-checksum.\n")
{ }

int ImportCommand::run(const Invocation& call) const
{
    int refused = kSuccess;
    const std::optional<TablePaths> tables = tablePaths(name(), call, &refused);
    if (!tables)
        return refused;
    // A dry run reads the settings too: it tells whether the checksum words would be written.
    return importCommand(call.operands[0], *tables, call.isSet("dry-run"), call.writeOptions(), call.console, call.now);
}

} // namespace zorvek::cli
