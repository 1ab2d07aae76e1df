#pragma once

#include "cli/TableSchema.h"
#include "core/image/RomImage.h"
#include "core/monsters/MonsterSave.h"

namespace zorvek::cli::monstertable {

// The 256 monster records, one column per field of the monster editor in
// its tab order, and one column per flag list entry.
const TableDefinition& definition();

// The record as the monster editor shows it, or as the file stores it.
RecordCells cells(RomImage& rom, int index, CellValues values = CellValues::Shown);

// What the monster editor's Save would hold for a row of values.
monsters::MonsterEntries entries(const std::vector<int>& values);

} // namespace zorvek::cli::monstertable
