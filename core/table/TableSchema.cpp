// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableSchema.h"

#include "core/table/TableText.h"

#include <algorithm>

namespace zorvek::table {

namespace {

// Well above the longest legal cell: a name or label of the game data
// (23 characters at most, "Unlisted command (0xA5)") or a number (seven,
// "-" and six digits). A choice list with longer labels raises it.
constexpr qint64 kCellAllowance = 64;
constexpr qint64 kByteOrderMark = 3;
constexpr qint64 kLineEnd = 2; // "\r\n"

} // namespace

QString cellText(const TableColumn& column, int value, const QString& label)
{
    if (column.kind == CellKind::Label)
        return label;
    if (column.kind == CellKind::Choice)
        return column.choices->label(value);
    return QString::number(value);
}

void writeHeader(TableWriter& out, const TableDefinition& table)
{
    for (const TableColumn& column : table.columns)
        out.text(column.name);
    out.endLine();
}

void writeRecord(TableWriter& out, const TableDefinition& table, const RecordCells& cells)
{
    for (qsizetype i = 0; i < table.columns.size(); ++i) {
        const TableColumn& column = table.columns[i];
        const int value = cells.values[static_cast<size_t>(i)];
        if (column.kind == CellKind::Label || column.kind == CellKind::Choice)
            out.text(cellText(column, value, cells.label));
        else
            out.number(value);
    }
    out.endLine();
}

QStringList columnNames(const TableDefinition& table)
{
    QStringList names;
    for (const TableColumn& column : table.columns)
        names.append(column.name);
    return names;
}

qint64 maximumTableBytes(const TableDefinition& table)
{
    qint64 header = kByteOrderMark + kLineEnd;
    qint64 row = kLineEnd;
    for (const TableColumn& column : table.columns) {
        header += column.name.toUtf8().size() + 1;
        qint64 cell = kCellAllowance;
        if (column.kind == CellKind::Choice)
            for (const QString& label : column.choices->labels())
                cell = std::max<qint64>(cell, label.toUtf8().size());
        row += cell + 1;
    }
    return header + row * table.recordCount;
}

} // namespace zorvek::table
