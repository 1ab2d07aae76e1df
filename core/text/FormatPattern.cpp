// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/FormatPattern.h"

namespace zorvek::pattern {

namespace {

// "B" and "b" are day periods in the locale data, which Qt itself prints
// as letters; they are read here so they can be replaced.
const QString kFieldLetters = QStringLiteral("dMyhHmszaAtBb");

void appendLiteral(QList<Piece>& pieces, QChar c)
{
    if (pieces.isEmpty() || pieces.last().isField)
        pieces.append(Piece{});
    pieces.last().text += c;
}

} // namespace

QList<Piece> parse(const QString& format)
{
    QList<Piece> pieces;
    const qsizetype n = format.size();
    const QChar quote = QLatin1Char('\'');
    for (qsizetype i = 0; i < n;) {
        const QChar c = format.at(i);
        if (c == quote) {
            if (i + 1 < n && format.at(i + 1) == quote) {
                appendLiteral(pieces, quote);
                i += 2;
                continue;
            }
            for (++i; i < n; ++i) {
                if (format.at(i) != quote) {
                    appendLiteral(pieces, format.at(i));
                } else if (i + 1 < n && format.at(i + 1) == quote) {
                    appendLiteral(pieces, quote);
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        if (!kFieldLetters.contains(c)) {
            appendLiteral(pieces, c);
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        if (c == QLatin1Char('a') || c == QLatin1Char('A')) {
            if (end < n && format.at(end).toLower() == QLatin1Char('p'))
                ++end;
        } else {
            while (end < n && format.at(end) == c)
                ++end;
        }
        pieces.append(Piece{true, format.mid(i, end - i)});
        i = end;
    }
    return pieces;
}

QString compose(const QList<Piece>& pieces)
{
    QString format;
    for (const Piece& piece : pieces) {
        if (piece.isField) {
            format += piece.text;
        } else if (!piece.text.isEmpty()) { // "''" would print a quote
            QString text = piece.text;
            format += QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
        }
    }
    return format;
}

} // namespace zorvek::pattern
