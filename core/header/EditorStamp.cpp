// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/header/EditorStamp.h"

#include "core/program/AppInfo.h"
#include "core/text/FormatPattern.h"
#include "core/text/SingleByteText.h"
#include "core/program/Version.h"

#include <algorithm>

namespace zorvek::stamp {

namespace {

using pattern::Piece;

bool isDayPeriod(const Piece& piece)
{
    const QChar c = piece.letter();
    return c == QLatin1Char('a') || c == QLatin1Char('A') || c == QLatin1Char('B') || c == QLatin1Char('b');
}

bool hasField(const QList<Piece>& pieces, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i < to; ++i)
        if (pieces.at(i).isField)
            return true;
    return false;
}

QList<Piece> mergedLiterals(const QList<Piece>& pieces)
{
    QList<Piece> out;
    for (const Piece& piece : pieces) {
        if (piece.isField || out.isEmpty() || out.last().isField)
            out.append(piece);
        else
            out.last().text += piece.text;
    }
    return out;
}

// Removes field i with the text that belongs to it. A day period or a
// weekday at either end takes the literal beside it along; in the middle one
// separator stays. A time zone takes only its brackets, so "(t)" leaves
// nothing behind while a unit such as " s " before it stays.
void dropField(QList<Piece>& pieces, qsizetype i)
{
    const bool zone = pieces.at(i).letter() == QLatin1Char('t');
    const bool before = hasField(pieces, 0, i);
    const bool after = hasField(pieces, i + 1, pieces.size());
    const qsizetype first = i > 0 && !pieces.at(i - 1).isField ? i - 1 : i;
    const qsizetype last = i + 1 < pieces.size() && !pieces.at(i + 1).isField ? i + 1 : i;
    QString left = first < i ? pieces.at(first).text : QString();
    QString right = last > i ? pieces.at(last).text : QString();
    if (zone) {
        while (!left.isEmpty() && QStringLiteral(" ,([{").contains(left.back()))
            left.chop(1);
        while (!right.isEmpty() && QStringLiteral(" )]}").contains(right.front()))
            right.remove(0, 1);
    } else {
        if (!before)
            right.clear();
        if (!after)
            left.clear();
    }
    QString kept = left + right;
    if (before && after)
        kept = !left.isEmpty() ? left : !right.isEmpty() ? right : QStringLiteral(" ");
    pieces.remove(first, last - first + 1);
    if (!kept.isEmpty())
        pieces.insert(first, Piece{false, kept});
}

void dropFields(QList<Piece>& pieces, bool (*drop)(const Piece&))
{
    for (qsizetype i = pieces.size() - 1; i >= 0; --i)
        if (i < pieces.size() && pieces.at(i).isField && drop(pieces.at(i)))
            dropField(pieces, i);
}

// What every stamp does to the locale's formats: no time zone, a year of
// four digits, seconds always, and day periods Qt can print.
QList<Piece> stampPieces(const QString& format)
{
    QList<Piece> pieces = pattern::parse(format);
    dropFields(pieces, [](const Piece& p) { return p.letter() == QLatin1Char('t'); });
    for (Piece& piece : pieces) {
        if (piece.letter() == QLatin1Char('y'))
            piece.text = QStringLiteral("yyyy");
        else if (piece.letter() == QLatin1Char('B') || piece.letter() == QLatin1Char('b'))
            piece.text = QStringLiteral("AP");
    }
    return pieces;
}

QList<Piece> datePieces(const QLocale& locale) { return stampPieces(locale.dateFormat(QLocale::ShortFormat)); }

QList<Piece> timePieces(const QLocale& locale)
{
    QList<Piece> pieces = stampPieces(locale.timeFormat(QLocale::LongFormat));
    const bool seconds =
        std::any_of(pieces.cbegin(), pieces.cend(), [](const Piece& p) { return p.letter() == QLatin1Char('s'); });
    return seconds ? pieces : pattern::parse(QStringLiteral("HH:mm:ss"));
}

// The same order and the separators that fit, with ASCII digits and no
// name that does not: numeric months, no weekdays, and a 24-hour clock
// where the locale's AM/PM cannot be stored.
QList<Piece> asciiPieces(QList<Piece> pieces, const QString& separator, const QLocale& locale, const QTime& time)
{
    const bool twelveHours = std::any_of(pieces.cbegin(), pieces.cend(), isDayPeriod)
        && fitsSingleBytes(locale.amText()) && fitsSingleBytes(locale.pmText());
    dropFields(pieces, [](const Piece& p) { return p.letter() == QLatin1Char('d') && p.text.size() > 2; });
    if (!twelveHours) {
        dropFields(pieces, isDayPeriod);
        for (Piece& piece : pieces)
            if (piece.letter() == QLatin1Char('h'))
                piece.text.fill(QLatin1Char('H'));
    }
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (!pieces[i].isField && !fitsSingleBytes(pieces[i].text)) {
            const bool inside = hasField(pieces, 0, i) && hasField(pieces, i + 1, pieces.size());
            pieces[i].text = inside ? separator : QString();
        }
    }
    for (Piece& piece : pieces) {
        if (piece.letter() == QLatin1Char('M') && piece.text.size() > 2) {
            piece.text = QStringLiteral("M");
        } else if (piece.letter() == QLatin1Char('m') || piece.letter() == QLatin1Char('s')) {
            piece.text = QString(2, piece.letter()); // colons in place of units: "9:1:2" reads badly
        } else if (piece.letter() == QLatin1Char('h')) {
            // Written out here: without an AP field left, Qt would count to 23.
            const int hour = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
            piece = Piece{false, QStringLiteral("%1").arg(hour, piece.text.size(), 10, QLatin1Char('0'))};
        } else if (isDayPeriod(piece)) {
            const QString text = time.hour() < 12 ? locale.amText() : locale.pmText();
            piece = Piece{false, piece.text.front().isLower() ? text.toLower() : text.toUpper()};
        }
    }
    return mergedLiterals(pieces);
}

// Narrow and no-break spaces become plain blanks, which one byte can hold.
QString withPlainSpaces(QString text)
{
    for (QChar& c : text)
        if (c.isSpace())
            c = QLatin1Char(' ');
    return text.trimmed();
}

} // namespace

QString versionText() { return QStringLiteral("%1.%2").arg(kVersionMajor).arg(kVersionRevision); }

QString dateTimeText(const QDateTime& when, const QLocale& locale)
{
    const QList<Piece> date = datePieces(locale);
    const QList<Piece> time = timePieces(locale);
    QString dateText = withPlainSpaces(locale.toString(when.date(), pattern::compose(date)));
    QString timeText = withPlainSpaces(locale.toString(when.time(), pattern::compose(time)));
    if (!fitsSingleBytes(dateText) || !fitsSingleBytes(timeText)) {
        const QLocale ascii = QLocale::c();
        dateText = withPlainSpaces(
            ascii.toString(when.date(), pattern::compose(asciiPieces(date, QStringLiteral("/"), locale, when.time()))));
        timeText = withPlainSpaces(
            ascii.toString(when.time(), pattern::compose(asciiPieces(time, QStringLiteral(":"), locale, when.time()))));
    }
    return dateText + QStringLiteral(", ") + timeText;
}

QString text(const QDateTime& when, const QLocale& locale)
{
    return QStringLiteral("%1 | %2 | %3")
        .arg(QString::fromLatin1(kAppTitle), versionText(), dateTimeText(when, locale));
}

IoResult write(RomImage& rom, const QString& stampText)
{
    return rom.writeBytes(kOffset, toSingleBytes(stampText).left(kMaxLength));
}

} // namespace zorvek::stamp

namespace zorvek {

IoResult SaveQuenHeader(RomImage& rom, const QDateTime& now) { return stamp::write(rom, stamp::text(now)); }

} // namespace zorvek
