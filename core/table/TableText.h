// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/TableError.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace zorvek::table {

// One line of a table file, split at its tabs.
struct TableLine {
    int number = 0; // 1-based, as editors count lines
    QList<QStringView> cells;
};

// The cells are views into text, or into unquoted for quoted cells: keep
// the whole together.
struct SplitTable {
    QString text;
    std::vector<QString> unquoted;
    std::vector<TableLine> lines;
    std::optional<TableError> error;
};

// Reads UTF-8 text: lines end at "\n" (a "\r" before it is dropped, so a
// spreadsheet's line ends do no harm), cells are separated by tabs, the last
// line end is optional, one empty line after it is ignored and a leading
// byte order mark is skipped. A cell may be in double quotes, as spreadsheet
// programs write it: a doubled quote inside stands for one, and tabs and line
// ends inside are the cell's own. A quote elsewhere in a cell is just a quote.
// Splitting stops after maxLines lines and a line's after maxCells cells: a
// table with more is refused anyway, and a view per cell of a file of tabs
// or line ends would take many times its size.
SplitTable splitTable(const QByteArray& bytes, const QString& fileLabel, qsizetype maxLines, qsizetype maxCells);

// Builds a table in the form every export takes: tab-separated, "\n" after
// every line, UTF-8.
class TableWriter {
public:
    void text(QStringView cell);
    void number(int value);
    void endLine();
    const QByteArray& bytes() const { return m_bytes; }

private:
    void separate();

    QByteArray m_bytes;
    bool m_lineStarted = false;
};

} // namespace zorvek::table
