// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace zorvek::table {

// Where a table is refused and why; line and column count from 1.
struct TableError {
    QString file;
    int line = 0;
    int column = 0;
    QString columnName;
    QString expected;
    QString found; // already phrased: a quoted cell, "the end of the line", ...

    // "monsters.tsv:5:3: Level: expected a whole number from 0 to 255, found \"300\""
    QString message() const;
};

// A cell as the messages quote it: a long one by its start and its length.
QString quoted(QStringView cell);

} // namespace zorvek::table
