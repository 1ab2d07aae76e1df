// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "core/monsters/MonsterSave.h"
#include "core/table/TableSchema.h"

#include <QDateTime>

namespace zorvek::table::monstertable {

// The columns before the flags, in order; then eight flag columns per flag
// byte: weakness, absorb, element immunity, start-battle status, status
// immunity, special attributes (the window's list order).
enum Column {
    Record,
    Name,
    NameIndex,
    Level,
    HitPoints,
    MagicPoints,
    Experience,
    Gil,
    Strength,
    Agility,
    Defense,
    Evade,
    MagicPower,
    Unknown,
    AttackIndex,
    SpecialBits,
    FirstFlag
};
inline constexpr int kFlagsPerByte = 8;

// The 256 monster records, one column per field of the monster editor in
// its tab order, and one column per flag list entry.
const TableDefinition& definition();

// The record as the monster editor shows it, or as the file stores it;
// name is its list entry.
RecordCells cells(RomImage& rom, int index, const QString& name, CellValues values = CellValues::Shown);

// What the monster editor's Save would hold for a row of values.
monsters::MonsterEntries entries(const std::vector<int>& values);

struct RecordSave {
    int record = 0;
    monsters::MonsterValues values;
};

// The monster window's saves of several records made as one: the editor
// stamp once, then each record's writes, in the order given. Nothing is
// written when the file cannot hold every record; stops at the first failed write.
IoResult writeSaves(RomImage& rom, const std::vector<RecordSave>& saves, const QDateTime& now);

} // namespace zorvek::table::monstertable
