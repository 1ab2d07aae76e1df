#include "cli/TableSchema.h"

namespace zorvek::cli {

QString cellText(const TableColumn& column, int value)
{
    if (column.kind == CellKind::Choice)
        return column.choices->label(value);
    return QString::number(value);
}

void RecordCells::add(const TableColumn& column, int value)
{
    texts.append(cellText(column, value));
    values.push_back(value);
}

void RecordCells::addText(const QString& text)
{
    texts.append(text);
    values.push_back(0);
}

QStringList columnNames(const TableDefinition& table)
{
    QStringList names;
    for (const TableColumn& column : table.columns)
        names.append(column.name);
    return names;
}

} // namespace zorvek::cli
