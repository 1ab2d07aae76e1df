#pragma once

#include "cli/TableError.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvek::cli {

// One line of a table file, split at its tabs.
struct TableLine {
    int number = 0;  // 1-based, as editors count lines
    QStringList cells;
};

struct SplitTable {
    std::vector<TableLine> lines;
    std::optional<TableError> error;
};

// Reads UTF-8 text: lines end at "\n" (a "\r" before it is dropped, so a
// spreadsheet's line ends do no harm), cells are separated by tabs, the last
// line end is optional and a leading byte order mark is skipped.
SplitTable splitTable(const QByteArray& text, const QString& fileLabel);

// The form every export takes: tab-separated, "\n" after every line, UTF-8.
QByteArray joinTable(const QList<QStringList>& rows);

} // namespace zorvek::cli
