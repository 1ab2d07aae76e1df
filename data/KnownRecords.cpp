// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/KnownRecords.h"

#include "core/characters/CharacterRecord.h"
#include "core/monsters/MonsterRecord.h"
#include "core/table/MonsterTable.h"
#include "data/CharacterTable.h"
#include "data/GameData.h"

namespace zorvek::data {

const std::vector<table::KnownRecords>& knownRecords()
{
    using namespace table;
    using characters::CharacterRecord;
    static const std::vector<KnownRecords> known = {
        {&monstertable::definition(), monsters::kTableOffset, monsters::kRecordSize, monsters::kRecordCount,
         [](RomImage& rom, int record) {
             return monstertable::cells(rom, record, monsterNames().value(record), CellValues::Stored);
         },
         [](int record, const RecordCells& cells) {
             return QStringLiteral("Monster %1 %2").arg(record).arg(cells.label);
         }},
        {&charactertable::definition(), CharacterRecord::kTableStart, CharacterRecord::kSlotStride,
         CharacterRecord::kSlotCount,
         [](RomImage& rom, int slot) { return charactertable::cells(rom, slot, CellValues::Stored); },
         [](int slot, const RecordCells&) { return QStringLiteral("Character %1").arg(slot); }},
    };
    return known;
}

} // namespace zorvek::data
