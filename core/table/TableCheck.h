// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableError.h"
#include "core/table/TableSchema.h"

#include <QByteArray>

#include <functional>
#include <optional>
#include <vector>

namespace zorvek::table {

// A row whose values differ from the record as the image holds it now.
struct ChangedRow {
    int record = 0;
    int line = 0;
    std::vector<int> values;  // one per column
    RecordCells current;      // the record before the change
    std::vector<int> changed; // columns whose value differs
};

struct CheckedTable {
    std::vector<ChangedRow> changes; // in record order
    std::optional<TableError> error;
};

// The value a cell's text gives its column for a record that holds now
// (label: the record's name), or what the column expected instead.
struct CellValue {
    std::optional<int> value;
    QString expected;
};
CellValue checkCell(const TableColumn& column, QStringView cell, int now, const QString& label);

// Checks every cell of a table against its column and the record as it is
// now (read through current); nothing is written here.
CheckedTable checkTable(const TableDefinition& table, const QByteArray& text, const QString& fileLabel,
                        const std::function<RecordCells(int)>& current);

// "Hit Points 1200 -> 1440, Head Blank (0x00) -> Iron Cap (0x85)"
QString describeChanges(const TableDefinition& table, const ChangedRow& row);

} // namespace zorvek::table
