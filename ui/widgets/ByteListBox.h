// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace zorvek::ui {

// A drop-down list whose entry position is the stored byte. A byte beyond
// the list gets an extra entry that names it, so a save writes it back
// unchanged unless the user picks another entry.
class ByteListBox : public QComboBox {
public:
    using UnlistedLabel = QString (*)(uint8_t);

    ByteListBox(const QStringList& labels, UnlistedLabel unlistedLabel, QWidget* parent = nullptr);

    // Drops the extra entry of a previous byte first.
    void selectByte(uint8_t value);
    // nullopt while no entry is selected, never -1 as a byte.
    std::optional<int> selectedByte() const;

    // Wide enough for any extra entry too, so the window keeps its size.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    QSize widenedForUnlisted(QSize size) const;

    int m_listed;
    UnlistedLabel m_unlistedLabel;
    int m_unlistedTextWidth = 0;
};

} // namespace zorvek::ui
