// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace zorvek::pattern {

// One piece of a QLocale date or time format: a field ("yyyy", "AP", "t")
// or literal text, unquoted.
struct Piece {
    bool isField = false;
    QString text;

    QChar letter() const { return isField ? text.front() : QChar(); }
};

QList<Piece> parse(const QString& format);

// Back to a format string; literals are quoted so no letter in them is read
// as a field.
QString compose(const QList<Piece>& pieces);

} // namespace zorvek::pattern
