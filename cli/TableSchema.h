#pragma once

#include "cli/ListChoice.h"

#include <QList>
#include <QStringList>

#include <vector>

namespace zorvek::cli {

enum class CellKind {
    Record,    // the record number; identifies the row
    ReadOnly,  // shown only: the cell must stay as exported
    Number,    // a whole number in plain digits
    Flag,      // 0 or 1
    Choice,    // an entry of a drop-down list, by its text
};

struct TableColumn {
    QString name;  // the window's label
    CellKind kind = CellKind::Number;
    int minimum = 0;                       // Number
    int maximum = 0;                       // Number
    const ChoiceList* choices = nullptr;   // Choice
};

struct TableDefinition {
    const char* recordNoun;  // "monster", "character"
    int recordCount;
    QList<TableColumn> columns;
};

// One record as the table shows it: each column's cell, and the number it
// stands for (the byte of a list entry, the value of a number or flag).
struct RecordCells {
    QStringList texts;
    std::vector<int> values;

    void add(const TableColumn& column, int value);
    void addText(const QString& text);  // a read-only text cell
};

// The cell of a value, as the export writes it.
QString cellText(const TableColumn& column, int value);

QStringList columnNames(const TableDefinition& table);

} // namespace zorvek::cli
