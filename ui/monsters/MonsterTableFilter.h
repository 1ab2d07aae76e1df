// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QSortFilterProxyModel>

class QItemSelectionModel;

namespace zorvek::ui {

class MonsterTableModel;

// What the table shows of the model: sorted, the rows whose name or number
// holds the filter text, optionally only those that differ from the
// original. A value set in a selected cell goes to every selected cell of
// its column, all of them or none.
class MonsterTableFilter : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit MonsterTableFilter(MonsterTableModel& model, QObject* parent = nullptr);

    void setText(const QString& text);
    void setChangedOnly(bool on);
    bool changedOnly() const { return m_changedOnly; }
    void setSelection(QItemSelectionModel* selection) { m_selection = selection; }

    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

signals:
    // A value the cells could not take, with the reason naming row and column.
    void refused(const QString& message);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    void refilter();

    MonsterTableModel& m_model;
    QString m_text;
    bool m_changedOnly = false;
    QPointer<QItemSelectionModel> m_selection;
};

} // namespace zorvek::ui
