// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "core/monsters/MonsterSave.h"
#include "core/table/MonsterTable.h"

#include <QAbstractTableModel>
#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <optional>
#include <vector>

namespace zorvek::ui {

// The 256 monster records as the monster window shows them, one row each,
// with the edits not yet saved on top. The image is read whole into a copy
// first: one read instead of thousands.
class MonsterTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Role {
        SortRole = Qt::UserRole + 1, // numbers as numbers, names and lists as text
        ChangedRole,                 // edited, not yet saved
        DiffersRole,                 // differs from the original compared with
        ExportTextRole,              // the cell as the exported table writes it
        FullNameRole,                // a column's name on one line, as exported
    };

    // One cell's new value, as the user typed or pasted it.
    struct CellText {
        int row = 0;
        int column = 0;
        QString text;
    };
    struct CellEdit {
        int row = 0;
        int column = 0;
        int value = 0;
    };

    explicit MonsterTableModel(QObject* parent = nullptr);

    // The records as imageBytes (the whole image) holds them; edits that now
    // equal the image are no edits any more, the others stay.
    void loadImage(const QByteArray& imageBytes);
    // The widget whose palette, whichever is in use, the marks keep their contrast on.
    void drawFor(const QWidget* widget) { m_paletteOf = widget; }
    // The records of an original's ROM data; nullopt forgets the original.
    void setOriginal(const std::optional<QByteArray>& originalRomData);
    bool hasOriginal() const { return !m_original.empty(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Whether the column takes a value at all (not the record, name or a read-only field).
    bool isEditable(int column) const;
    // Sets the cells, all of them or, when one cannot take its value, none;
    // the message names that row and column.
    std::optional<QString> applyValues(const std::vector<CellEdit>& cells);
    // The same for texts, checked as the import checks a table's cells.
    std::optional<QString> applyTexts(const std::vector<CellText>& cells);

    int value(int row, int column) const;
    int originalValue(int row, int column) const;
    bool isChanged(int row, int column) const;
    bool differsFromOriginal(int row, int column) const;
    bool rowDiffersFromOriginal(int row) const;
    // "Monster 12 (Grave Moth)"
    QString rowName(int row) const;

    // The records with edits, in record order, as the monster window's
    // Save would hold them; or the message refusing the first that cannot be saved.
    struct Saves {
        std::vector<table::monstertable::RecordSave> records;
        QString refusal;
    };
    Saves saves() const;
    int changedRecordCount() const;
    // Not revert(): views call that slot when a cell's editor is left with
    // Escape, which must drop only that typing.
    void dropEdits();

signals:
    // The count of monsters with unsaved edits may have changed.
    void changesChanged();

private:
    QColor changedBackground() const;
    QColor changedText() const;
    QPalette palette() const;
    QPointer<const QWidget> m_paletteOf;
    int flat(int row, int column) const { return row * m_columns + column; }
    std::optional<QString> refusal(int row, int column, int value) const;
    QString displayText(int row, int column) const;
    void allCellsChanged();

    const table::TableDefinition& m_table;
    int m_columns;
    std::vector<table::RecordCells> m_base;
    std::vector<std::optional<int>> m_edits; // row-major, one per cell
    std::vector<table::RecordCells> m_original;
};

} // namespace zorvek::ui
