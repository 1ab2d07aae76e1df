// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/TableFiles.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "core/characters/CharacterRecord.h"
#include "core/image/WholeFile.h"
#include "core/monsters/MonsterRecord.h"
#include "core/table/MonsterTable.h"
#include "core/table/TableText.h"
#include "data/GameData.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

namespace zorvek::cli {

using namespace table;

namespace {

struct TableSpan {
    const char* name;
    qint64 start;
    qint64 size;
};

constexpr TableSpan kMonsterSpan{"monster table", monsters::kTableOffset,
                                 qint64{monsters::kRecordSize} * monsters::kRecordCount};
constexpr TableSpan kCharacterSpan{"character table", characters::CharacterRecord::kTableStart,
                                   characters::CharacterRecord::kSlotStride* characters::CharacterRecord::kSlotCount};

} // namespace

std::optional<TablePaths> tablePaths(const QString& command, const Invocation& call, int* code)
{
    const TablePaths tables{call.value("monsters"), call.value("characters")};
    if (tables.monsters.isEmpty() && tables.characters.isEmpty()) {
        *code = usageError(call.console,
                           QStringLiteral("%1 needs --monsters FILE, --characters FILE or both.").arg(command));
        return std::nullopt;
    }
    if (tables.monsters == tables.characters) {
        *code = usageError(call.console, QStringLiteral("The two tables need two different files."));
        return std::nullopt;
    }
    return tables;
}

RecordCells monsterCells(RomImage& rom, int index, CellValues values)
{
    return monstertable::cells(rom, index, data::monsterNames().value(index), values);
}

bool imageAccepted(const RomImage& rom, const QString& path, const TablePaths& tables, Console& console)
{
    if (!isThisGame(rom, path, console))
        return false;
    for (const auto& [asked, span] : {std::pair{!tables.monsters.isEmpty(), kMonsterSpan},
                                      std::pair{!tables.characters.isEmpty(), kCharacterSpan}}) {
        if (asked && !rom.checkHolds(span.start, span.size).ok()) {
            say(console,
                QStringLiteral("%1 is too short (%2 bytes) to hold the %3.")
                    .arg(path)
                    .arg(rom.size())
                    .arg(QLatin1String(span.name)));
            return false;
        }
    }
    return true;
}

QByteArray tableText(const TableDefinition& table, const std::function<RecordCells(int)>& cells)
{
    TableWriter out;
    writeHeader(out, table);
    for (int record = 0; record < table.recordCount; ++record)
        writeRecord(out, table, cells(record));
    return out.bytes();
}

std::optional<TableFile> readTable(const QString& path, const TableDefinition& table, Console& console)
{
    const qint64 limit = maximumTableBytes(table);
    const bool standardInput = path == kStandardStream;
    TableFile file{standardInput ? QStringLiteral("<standard input>") : path, {}};
    QFile opened(path);
    if (!standardInput && !opened.open(QIODevice::ReadOnly)) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(path, opened.errorString()));
        return std::nullopt;
    }
    if (IoResult r = readUpTo(standardInput ? console.in : opened, limit, file.text); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(file.label, r.error));
        return std::nullopt;
    }
    if (file.text.size() > limit) {
        const QString found = standardInput ? QStringLiteral("more") : QStringLiteral("%1 bytes").arg(opened.size());
        say(console,
            TableError{file.label,
                       1,
                       1,
                       {},
                       QStringLiteral("a table of %1 %2s, at most %3 bytes")
                           .arg(table.recordCount)
                           .arg(QLatin1String(table.recordNoun))
                           .arg(limit),
                       found}
                .message());
        return std::nullopt;
    }
    return file;
}

} // namespace zorvek::cli
