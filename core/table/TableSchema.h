// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/ListChoice.h"

#include <QList>
#include <QStringList>

#include <vector>

namespace zorvek::table {

enum class CellKind {
    Record,   // the record number; identifies the row
    Label,    // a read-only text (the monster's name)
    ReadOnly, // a number shown only: the cell must stay as exported
    Number,   // a whole number in plain digits
    Flag,     // 0 or 1
    Choice,   // an entry of a drop-down list, by its text
};

struct TableColumn {
    QString name; // the window's label
    CellKind kind = CellKind::Number;
    int minimum = 0;                     // Number
    int maximum = 0;                     // Number
    const ChoiceList* choices = nullptr; // Choice
};

struct TableDefinition {
    const char* recordNoun; // "monster", "character"
    int recordCount;
    QList<TableColumn> columns;
};

// One record as the table shows it: the number each column stands for (the
// byte of a list entry, the value of a number or flag), and the text of its
// label column.
struct RecordCells {
    std::vector<int> values;
    QString label;
};

// Which values a record's cells hold: as its window shows them (words above
// what can be typed show capped), or as the file stores them.
enum class CellValues { Shown, Stored };

class TableWriter;

// A cell as the export writes it.
QString cellText(const TableColumn& column, int value, const QString& label = {});
void writeHeader(TableWriter& out, const TableDefinition& table);
void writeRecord(TableWriter& out, const TableDefinition& table, const RecordCells& cells);

QStringList columnNames(const TableDefinition& table);

// The most bytes a table can hold and still be read: a byte order mark,
// the header, and one line per record with every cell at a generous bound
// of its longest legal text and "\r\n" line ends. Anything longer is
// refused unread, however it is made up.
qint64 maximumTableBytes(const TableDefinition& table);

} // namespace zorvek::table
