// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/TableCheck.h"

#include "core/table/TableText.h"

#include <algorithm>
#include <map>

namespace zorvek::table {

namespace {

// Plain digits with an optional minus, as the export writes numbers: no
// blanks, plus signs, leading zeros or fractions.
std::optional<int> plainNumber(QStringView cell)
{
    const bool negative = cell.startsWith(QLatin1Char('-'));
    const QStringView digits = negative ? cell.mid(1) : cell;
    if (digits.isEmpty() || digits.size() > 6 || (digits.size() > 1 && digits[0] == QLatin1Char('0')))
        return std::nullopt;
    int value = 0;
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    if (negative && value == 0)
        return std::nullopt; // "-0"
    return negative ? -value : value;
}

} // namespace

CellValue checkCell(const TableColumn& c, QStringView cell, int now, const QString& label)
{
    switch (c.kind) {
    case CellKind::Record:
        return {now, {}};
    case CellKind::Label:
    case CellKind::ReadOnly:
        if (c.kind == CellKind::Label ? cell == label : plainNumber(cell) == now)
            return {now, {}};
        return {std::nullopt, quoted(cellText(c, now, label)) + QStringLiteral(", as exported (it is read-only)")};
    case CellKind::Flag:
        if (cell == QLatin1String("0") || cell == QLatin1String("1"))
            return {cell == QLatin1String("1") ? 1 : 0, {}};
        return {std::nullopt, QStringLiteral("0 or 1")};
    case CellKind::Number: {
        // A value loaded from the image stays saveable, as in the window.
        const auto n = plainNumber(cell);
        if (n && ((*n >= c.minimum && *n <= c.maximum) || *n == now))
            return {n, {}};
        QString expected = QStringLiteral("a whole number from %1 to %2 in plain digits").arg(c.minimum).arg(c.maximum);
        if (now < c.minimum || now > c.maximum)
            expected += QStringLiteral(" (or %1, as the image holds it now)").arg(now);
        return {std::nullopt, expected};
    }
    case CellKind::Choice: {
        const Choice choice = choose(*c.choices, cell.toString(), now);
        return {choice.byte, choice.expected};
    }
    }
    return {};
}

namespace {

class RowChecker {
public:
    RowChecker(const TableDefinition& table, const QString& file, const TableLine& line)
        : m_table(table), m_file(file), m_line(line)
    { }

    TableError error(int column, const QString& expected, const QString& found) const
    {
        return {m_file, m_line.number, column + 1, m_table.columns[column].name, expected, found};
    }

    // The value of one cell, or the error that refuses it.
    std::optional<int> value(int column, const RecordCells& current, std::optional<TableError>& refused) const
    {
        const QStringView cell = m_line.cells[column];
        const CellValue checked = checkCell(m_table.columns[column], cell, current.values[column], current.label);
        if (!checked.value)
            refused = error(column, checked.expected, quoted(cell.toString()));
        return checked.value;
    }

private:
    const TableDefinition& m_table;
    const QString& m_file;
    const TableLine& m_line;
};

} // namespace

CheckedTable checkTable(const TableDefinition& table, const QByteArray& text, const QString& fileLabel,
                        const std::function<RecordCells(int)>& current)
{
    CheckedTable out;
    // One line more than the table has, and one cell more than a line: enough to say where it goes wrong.
    SplitTable split = splitTable(text, fileLabel, table.recordCount + 2, table.columns.size() + 1);
    if (split.error) {
        out.error = split.error;
        return out;
    }
    const QStringList names = columnNames(table);
    const qsizetype width = names.size();
    if (split.lines.empty()) {
        out.error = TableError{
            fileLabel, 1, 1, names.first(), QStringLiteral("a header line"), QStringLiteral("an empty file")};
        return out;
    }

    // Every line, the header too, is checked for its width first.
    for (const TableLine& line : split.lines) {
        const bool header = line.number == split.lines.front().number;
        const qsizetype cells = line.cells.size();
        for (qsizetype i = 0; i < qMin(cells, width); ++i) {
            if (header && line.cells[i] != names[i]) {
                out.error = TableError{fileLabel,
                                       line.number,
                                       static_cast<int>(i) + 1,
                                       {},
                                       QStringLiteral("the column %1").arg(quoted(names[i])),
                                       quoted(line.cells[i])};
                return out;
            }
        }
        if (cells < width) {
            out.error = TableError{fileLabel,
                                   line.number,
                                   static_cast<int>(cells) + 1,
                                   names[cells],
                                   QStringLiteral("%1 columns, one per field").arg(width),
                                   QStringLiteral("the end of the line after %1 columns").arg(cells)};
            return out;
        }
        if (cells > width) {
            out.error = TableError{fileLabel,
                                   line.number,
                                   static_cast<int>(width) + 1,
                                   {},
                                   QStringLiteral("the end of the line after %1 columns").arg(width),
                                   quoted(line.cells[width])};
            return out;
        }
    }

    std::map<int, int> lineOfRecord;
    for (size_t i = 1; i < split.lines.size(); ++i) {
        const TableLine& line = split.lines[i];
        const RowChecker check(table, fileLabel, line);
        const auto record = plainNumber(line.cells[0]);
        if (!record || *record < 0 || *record >= table.recordCount) {
            out.error = check.error(0,
                                    QStringLiteral("a %1 number from 0 to %2")
                                        .arg(QLatin1String(table.recordNoun))
                                        .arg(table.recordCount - 1),
                                    quoted(line.cells[0]));
            return out;
        }
        if (const auto seen = lineOfRecord.find(*record); seen != lineOfRecord.end()) {
            out.error = check.error(0, QStringLiteral("each %1 once").arg(QLatin1String(table.recordNoun)),
                                    QStringLiteral("%1 %2 again (first on line %3)")
                                        .arg(QLatin1String(table.recordNoun))
                                        .arg(*record)
                                        .arg(seen->second));
            return out;
        }
        lineOfRecord.emplace(*record, line.number);

        ChangedRow row{*record, line.number, {}, current(*record), {}};
        for (qsizetype column = 0; column < width; ++column) {
            std::optional<TableError> refused;
            const auto value = check.value(static_cast<int>(column), row.current, refused);
            if (!value) {
                out.error = refused;
                return out;
            }
            row.values.push_back(*value);
            if (*value != row.current.values[column])
                row.changed.push_back(static_cast<int>(column));
        }
        if (!row.changed.empty())
            out.changes.push_back(std::move(row));
    }

    if (static_cast<int>(lineOfRecord.size()) < table.recordCount) {
        int missing = 0;
        while (lineOfRecord.count(missing))
            ++missing;
        const int end = split.lines.back().number + 1;
        out.error = TableError{
            fileLabel,
            end,
            1,
            names.first(),
            QStringLiteral("%1 rows, one per %2").arg(table.recordCount).arg(QLatin1String(table.recordNoun)),
            QStringLiteral("%1 rows (%2 %3 is missing)")
                .arg(lineOfRecord.size())
                .arg(QLatin1String(table.recordNoun))
                .arg(missing)};
        return out;
    }
    std::sort(out.changes.begin(), out.changes.end(),
              [](const ChangedRow& a, const ChangedRow& b) { return a.record < b.record; });
    return out;
}

QString describeChanges(const TableDefinition& table, const ChangedRow& row)
{
    QStringList parts;
    for (const int column : row.changed) {
        const TableColumn& c = table.columns[column];
        const auto shown = [&](int value) {
            const QString text = cellText(c, value, row.current.label);
            return c.kind == CellKind::Choice ? QStringLiteral("%1 (%2)").arg(text, numberForm(value)) : text;
        };
        parts.append(
            QStringLiteral("%1 %2 -> %3").arg(c.name, shown(row.current.values[column]), shown(row.values[column])));
    }
    return parts.join(QStringLiteral(", "));
}

} // namespace zorvek::table
