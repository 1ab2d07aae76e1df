// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStyledItemDelegate>

namespace zorvek::ui {

// Edits a cell of the monster table with the monster window's controls and
// rules: digit boxes with the window's key filter, length limit and cap,
// the attack index as the window's drop-down list.
class MonsterCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    // A typed text no field can hold (such as "."), with row and column named.
    void refused(const QString& message) const;
};

} // namespace zorvek::ui
