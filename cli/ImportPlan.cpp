// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ImportPlan.h"

#include "data/CharacterTable.h"
#include "core/characters/CharacterSaveCheck.h"
#include "core/header/EditorStamp.h"
#include "core/monsters/MonsterRecord.h"
#include "core/table/MonsterTable.h"
#include "core/table/TableCheck.h"
#include "data/GameData.h"

namespace zorvek::cli {

using namespace table;

namespace {

// The windows' own checks come last; the table's rules are stricter, so a
// refusal here means the two have drifted apart, and the row is refused.
TableError refusedBySave(const QString& file, const ChangedRow& row, const QString& problem)
{
    return {file, row.line, 1, {}, QStringLiteral("values the editor's Save accepts"), problem};
}

} // namespace

std::optional<TableError> planMonsters(const TableFile& file, RomImage& current, ImportPlan& plan)
{
    const TableDefinition& table = monstertable::definition();
    const CheckedTable checked = checkTable(table, file.text, file.label, [&](int index) {
        return monstertable::cells(current, index, data::monsterNames().value(index));
    });
    if (checked.error)
        return checked.error;
    std::vector<MonsterChange> changes;
    for (const ChangedRow& row : checked.changes) {
        const monsters::CheckedEntries entries = monsters::checkEntries(monstertable::entries(row.values));
        if (!entries.values)
            return refusedBySave(file.label, row, monsters::refusalMessage(entries));
        changes.push_back({row.record, *entries.values});
    }
    plan.monsters.insert(plan.monsters.end(), changes.begin(), changes.end());
    return std::nullopt;
}

std::optional<TableError> planCharacters(const TableFile& file, RomImage& current, ImportPlan& plan)
{
    const TableDefinition& table = charactertable::definition();
    const CheckedTable checked =
        checkTable(table, file.text, file.label, [&](int slot) { return charactertable::cells(current, slot); });
    if (checked.error)
        return checked.error;
    std::vector<CharacterChange> changes;
    for (const ChangedRow& row : checked.changes) {
        const characters::CheckedCharacter character = characters::checkCharacter(charactertable::edits(row.values));
        if (!character.values)
            return refusedBySave(file.label, row, character.problem);
        changes.push_back({row.record, *character.values});
    }
    plan.characters.insert(plan.characters.end(), changes.begin(), changes.end());
    return std::nullopt;
}

IoResult writeImport(RomImage& rom, const ImportPlan& plan, const QDateTime& now)
{
    if (plan.isEmpty())
        return IoResult::success();
    // A file too short for a record gets no stamp either.
    for (const MonsterChange& change : plan.monsters)
        if (IoResult r = rom.checkHolds(monsters::MonsterRecord(rom, change.record).offsetOf(0), monsters::kRecordSize);
            !r.ok())
            return r;
    for (const CharacterChange& change : plan.characters)
        if (IoResult r = rom.checkHolds(characters::CharacterRecord::start(change.slot),
                                        characters::CharacterRecord::kSlotStride);
            !r.ok())
            return r;
    // Every save writes its stamp first; one import is one save.
    if (IoResult r = SaveQuenHeader(rom, now); !r.ok())
        return r;
    for (const MonsterChange& change : plan.monsters) {
        monsters::MonsterRecord record(rom, change.record);
        if (IoResult r = monsters::writeValues(record, change.values); !r.ok())
            return r;
    }
    for (const CharacterChange& change : plan.characters) {
        if (IoResult r = characters::saveCharacter(rom, change.slot, change.values); !r.ok())
            return r;
    }
    return IoResult::success();
}

QString changeCount(const ImportPlan& plan) { return changeCount(plan.monsters.size(), plan.characters.size()); }

QString changeCount(size_t monsters, size_t characters)
{
    const auto count = [](size_t n, const char* noun) {
        return QStringLiteral("%1 %2%3").arg(n).arg(QLatin1String(noun), n == 1 ? QString() : QStringLiteral("s"));
    };
    return count(monsters, "monster") + QStringLiteral(" and ") + count(characters, "character");
}

CommandOutcome commitImport(ImageWriteSession& session, const QByteArray& imageBytes, const ImportPlan& plan,
                            const QDateTime& now)
{
    return commitThroughCopy(session, imageBytes, QStringLiteral("Import"),
                             [&](RomImage& copy) { return writeImport(copy, plan, now); });
}

} // namespace zorvek::cli
