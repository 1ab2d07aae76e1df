// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace zorvek {

// The file keeps one byte per character. Characters beyond that range
// cannot be stored and become "?" rather than a multi-byte sequence.
QByteArray toSingleBytes(const QString& text);
QString fromSingleBytes(const QByteArray& bytes);

// True when no character of the text would become "?".
bool fitsSingleBytes(const QString& text);

} // namespace zorvek
