// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

class QTableView;

namespace zorvek::ui {

class MonsterTableFilter;
class MonsterTableModel;

// Copy and paste of the table's cells as tab-separated text, the form
// spreadsheets exchange through the clipboard.
class MonsterTableClipboard {
    Q_DECLARE_TR_FUNCTIONS(MonsterTableClipboard)
public:
    MonsterTableClipboard(const QTableView& view, const MonsterTableFilter& filter, MonsterTableModel& model);

    // The selected cells of the columns given (in their order), one line a row.
    void copy(const QList<int>& columns) const;

    // Pastes the clipboard's block from the current cell on, over the columns
    // given. A refusal means nothing was pasted; no refusal and no cells, that
    // the clipboard held nothing.
    struct Pasted {
        QString refusal;
        qsizetype cells = 0;
    };
    Pasted paste(const QList<int>& columns);

private:
    const QTableView& m_view;
    const MonsterTableFilter& m_filter;
    MonsterTableModel& m_model;
};

} // namespace zorvek::ui
