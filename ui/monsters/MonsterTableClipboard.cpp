// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/MonsterTableClipboard.h"

#include "core/monsters/MonsterRecord.h"
#include "core/table/TableText.h"
#include "ui/monsters/CountedText.h"
#include "ui/monsters/MonsterTableFilter.h"
#include "ui/monsters/MonsterTableModel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTableView>

#include <set>

namespace zorvek::ui {

MonsterTableClipboard::MonsterTableClipboard(const QTableView& view, const MonsterTableFilter& filter,
                                             MonsterTableModel& model)
    : m_view(view), m_filter(filter), m_model(model)
{ }

void MonsterTableClipboard::copy(const QList<int>& visibleColumns) const
{
    const QModelIndexList selected = m_view.selectionModel()->selectedIndexes();
    if (selected.isEmpty())
        return;
    std::set<int> rows;
    std::set<int> columns;
    for (const QModelIndex& index : selected) {
        rows.insert(index.row());
        columns.insert(index.column());
    }
    QString text;
    for (const int row : rows) {
        QStringList cells;
        for (const int column : visibleColumns)
            if (columns.count(column)) {
                const QModelIndex index = m_filter.index(row, column);
                cells.append(m_view.selectionModel()->isSelected(index)
                                 ? index.data(MonsterTableModel::ExportTextRole).toString()
                                 : QString());
            }
        text += cells.join(u'\t') + u'\n';
    }
    QGuiApplication::clipboard()->setText(text);
}

MonsterTableClipboard::Pasted MonsterTableClipboard::paste(const QList<int>& columns)
{
    const QModelIndex start = m_view.currentIndex();
    // Read as a table file is read: a spreadsheet's line ends, the last one optional.
    // One line and one cell more than the grid holds is enough to refuse a paste that does not fit.
    const table::SplitTable split = table::splitTable(QGuiApplication::clipboard()->text().toUtf8(), {},
                                                      monsters::kRecordCount + 1, m_model.columnCount() + 1);
    const std::vector<table::TableLine>& rows = split.lines;
    if (rows.empty())
        return {};
    if (!start.isValid())
        return {tr("Click the cell where the paste is to begin.\nNothing was pasted.")};
    const qsizetype firstColumn = columns.indexOf(start.column());
    std::vector<MonsterTableModel::CellText> cells;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const int proxyRow = start.row() + r;
        const QList<QStringView>& line = rows[r].cells;
        for (qsizetype c = 0; c < line.size(); ++c) {
            if (proxyRow >= m_filter.rowCount() || firstColumn + c >= columns.size()) {
                return {tr("The pasted block of %1 and %2 reaches past the last %3 shown "
                           "when it begins at %4, %5.\nNothing was pasted.")
                            .arg(counted(static_cast<qsizetype>(rows.size()), "row", "rows"),
                                 counted(line.size(), "column", "columns"))
                            .arg(proxyRow >= m_filter.rowCount() ? tr("row") : tr("column"))
                            .arg(m_model.rowName(m_filter.mapToSource(start).row()),
                                 m_model.headerData(start.column(), Qt::Horizontal, Qt::ToolTipRole).toString())};
            }
            const int sourceRow = m_filter.mapToSource(m_filter.index(proxyRow, 0)).row();
            cells.push_back({sourceRow, columns[firstColumn + c], line[c].toString()});
        }
    }
    if (const auto refusal = m_model.applyTexts(cells))
        return {*refusal + tr("\nNothing was pasted.")};
    return {{}, static_cast<qsizetype>(cells.size())};
}

} // namespace zorvek::ui
