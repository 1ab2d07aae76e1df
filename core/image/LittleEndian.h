// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtEndian>

namespace zorvek::le {

// Every number in the image and in the files made beside it is stored low
// byte first; these put Qt's byte order functions to QByteArray.

template <typename T>
T at(const QByteArray& bytes, qsizetype offset)
{
    return qFromLittleEndian<T>(bytes.constData() + offset);
}

template <typename T>
QByteArray bytes(T value)
{
    QByteArray out(sizeof(T), Qt::Uninitialized);
    qToLittleEndian<T>(value, out.data());
    return out;
}

template <typename T>
void append(QByteArray& out, T value)
{
    out += bytes<T>(value);
}

} // namespace zorvek::le
