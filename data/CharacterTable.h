// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/characters/CharacterSaveCheck.h"
#include "core/image/RomImage.h"
#include "core/table/TableSchema.h"

namespace zorvek::table::charactertable {

using table::CellValues;
using table::RecordCells;
using table::TableDefinition;

// The four character slots, one column per field of the character editor:
// the stats tab, then the equipment and battle command tab.
const TableDefinition& definition();

// The slot as the character editor shows it, or as the file stores it.
RecordCells cells(RomImage& rom, int slot, CellValues values = CellValues::Shown);

// What the character editor's Save would hold for a row of values.
characters::CharacterEdits edits(const std::vector<int>& values);

} // namespace zorvek::table::charactertable
