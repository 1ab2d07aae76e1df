// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/MonsterTableFilter.h"

#include "core/table/MonsterTable.h"
#include "ui/monsters/MonsterTableModel.h"

#include <QItemSelectionModel>

namespace zorvek::ui {

MonsterTableFilter::MonsterTableFilter(MonsterTableModel& model, QObject* parent)
    : QSortFilterProxyModel(parent), m_model(model)
{
    setSourceModel(&model);
    setSortRole(MonsterTableModel::SortRole);
    setSortCaseSensitivity(Qt::CaseInsensitive);
    // Edits re-sort and re-filter only when asked: a row must not jump away
    // from under the cell just typed into.
    setDynamicSortFilter(false);
}

void MonsterTableFilter::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    refilter();
}

void MonsterTableFilter::setChangedOnly(bool on)
{
    if (on == m_changedOnly)
        return;
    m_changedOnly = on;
    refilter();
}

void MonsterTableFilter::refilter()
{
    invalidateRowsFilter();
    // Rows let back in come unsorted while the sort is not dynamic.
    if (sortColumn() >= 0)
        sort(sortColumn(), sortOrder());
}

bool MonsterTableFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    if (m_changedOnly && !m_model.rowDiffersFromOriginal(sourceRow))
        return false;
    if (m_text.isEmpty())
        return true;
    const QString name = m_model.data(m_model.index(sourceRow, table::monstertable::Name)).toString();
    return name.contains(m_text, Qt::CaseInsensitive) || QString::number(sourceRow).contains(m_text);
}

bool MonsterTableFilter::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid())
        return false;
    QModelIndexList targets{index};
    if (m_selection && m_selection->isSelected(index)) {
        targets.clear();
        for (const QModelIndex& selected : m_selection->selectedIndexes())
            if (selected.column() == index.column())
                targets.append(selected);
    }
    std::vector<MonsterTableModel::CellEdit> cells;
    for (const QModelIndex& target : targets) {
        const QModelIndex source = mapToSource(target);
        int number = value.toInt();
        if (role == Qt::CheckStateRole)
            number = value.toInt() == Qt::Checked ? 1 : 0;
        else if (role != Qt::EditRole)
            return false;
        cells.push_back({source.row(), source.column(), number});
    }
    if (const auto refusal = m_model.applyValues(cells)) {
        emit refused(*refusal + QStringLiteral("\nNothing was changed."));
        return false;
    }
    return true;
}

} // namespace zorvek::ui
