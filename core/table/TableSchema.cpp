#include "core/table/TableSchema.h"

#include "core/table/TableText.h"

namespace zorvek::table {

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

} // namespace zorvek::table
