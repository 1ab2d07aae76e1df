// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/SingleByteText.h"

#include <algorithm>

namespace zorvek {

QByteArray toSingleBytes(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar ch : text)
        out.append(ch.unicode() <= 0xFF ? static_cast<char>(ch.unicode()) : '?');
    return out;
}

QString fromSingleBytes(const QByteArray& bytes) { return QString::fromLatin1(bytes); }

bool fitsSingleBytes(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar ch) { return ch.unicode() <= 0xFF; });
}

} // namespace zorvek
