// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/ListChoice.h"

#include "core/table/TableError.h"

namespace zorvek::table {

QString numberForm(int byte)
{
    return QStringLiteral("0x") + QString::number(byte, 16).toUpper().rightJustified(2, QLatin1Char('0'));
}

QString ChoiceList::label(int byte) const
{
    return byte < size() ? labels().at(byte) : unlistedLabel(static_cast<uint8_t>(byte));
}

namespace {

std::optional<int> parseNumberForm(const QString& cell)
{
    if (cell.size() < 3 || cell.size() > 4 || !cell.startsWith(QLatin1String("0x")))
        return std::nullopt;
    int value = 0;
    for (const QChar c : cell.mid(2)) {
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + digit;
    }
    return value;
}

} // namespace

Choice choose(const ChoiceList& list, const QString& cell, int current)
{
    if (cell == list.label(current))
        return {current, {}};

    QList<int> named;
    for (int byte = 0; byte < list.size(); ++byte)
        if (list.labels().at(byte) == cell)
            named.append(byte);
    if (named.size() == 1)
        return {named.first(), {}};
    if (named.size() > 1) {
        QStringList forms;
        for (int byte : named.mid(0, 4))
            forms.append(numberForm(byte));
        return {std::nullopt,
                QStringLiteral("a text that names one entry of the %1 (%2 names %3: write the number form of the "
                               "one you mean, such as %4%5)")
                    .arg(QLatin1String(list.name), quoted(cell))
                    .arg(named.size())
                    .arg(forms.join(QStringLiteral(", ")), named.size() > 4 ? QStringLiteral(", ...") : QString())};
    }
    const QString last = numberForm(list.size() - 1);
    if (const auto byte = parseNumberForm(cell)) {
        if (*byte < list.size())
            return {*byte, {}};
        return {std::nullopt, QStringLiteral("an entry of the %1, 0x00 to %2").arg(QLatin1String(list.name), last)};
    }
    return {std::nullopt,
            QStringLiteral("an entry of the %1: its text as the window shows it, or its number "
                           "form 0x00 to %2")
                .arg(QLatin1String(list.name), last)};
}

} // namespace zorvek::table
