// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/ByteListBox.h"

#include "ui/widgets/WheelGuard.h"

#include <QStyle>
#include <QStyleOptionComboBox>

namespace zorvek::ui {

ByteListBox::ByteListBox(const QStringList& labels, UnlistedLabel unlistedLabel, QWidget* parent)
    : QComboBox(parent), m_listed(static_cast<int>(labels.size())), m_unlistedLabel(unlistedLabel)
{
    setEditable(false);
    WheelGuard::install(this);
    addItems(labels);
    setMaxVisibleItems(20);
    for (int value = m_listed; value <= 0xFF; ++value)
        m_unlistedTextWidth = qMax(m_unlistedTextWidth, fontMetrics().horizontalAdvance(m_unlistedLabel(value)));
}

QSize ByteListBox::widenedForUnlisted(QSize size) const
{
    if (m_unlistedTextWidth == 0)
        return size;
    QStyleOptionComboBox option;
    initStyleOption(&option);
    const QSize contents(m_unlistedTextWidth, fontMetrics().height());
    return size.expandedTo(style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, this));
}

QSize ByteListBox::sizeHint() const { return widenedForUnlisted(QComboBox::sizeHint()); }

QSize ByteListBox::minimumSizeHint() const { return widenedForUnlisted(QComboBox::minimumSizeHint()); }

void ByteListBox::selectByte(uint8_t value)
{
    while (count() > m_listed)
        removeItem(m_listed);
    if (value < m_listed) {
        setCurrentIndex(value);
        return;
    }
    addItem(m_unlistedLabel(value), static_cast<int>(value));
    setCurrentIndex(m_listed);
}

std::optional<int> ByteListBox::selectedByte() const
{
    const int index = currentIndex();
    if (index < 0)
        return std::nullopt;
    if (index < m_listed)
        return index;
    return itemData(index).toInt();
}

} // namespace zorvek::ui
