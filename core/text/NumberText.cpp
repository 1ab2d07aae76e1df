// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/text/NumberText.h"

namespace zorvek::numbertext {

namespace {

constexpr int64_t kSaturation = int64_t{1} << 40;

struct Leading {
    bool negative = false;
    int64_t whole = 0;    // saturated
    QString fraction;     // digits after the point
    int digits = 0;       // before and after the point
    qsizetype length = 0; // characters the number takes up
};

bool isAsciiDigit(QChar c) { return c.unicode() >= '0' && c.unicode() <= '9'; }

Leading parse(const QString& text, Sign sign)
{
    Leading n;
    qsizetype i = 0;
    if (sign == Sign::Allowed && i < text.size() && text[i] == QLatin1Char('-')) {
        n.negative = true;
        ++i;
    }
    for (; i < text.size() && isAsciiDigit(text[i]); ++i, ++n.digits)
        n.whole = qMin(kSaturation, n.whole * 10 + (text[i].unicode() - '0'));
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        for (++i; i < text.size() && isAsciiDigit(text[i]); ++i, ++n.digits)
            n.fraction.append(text[i]);
    }
    n.length = i;
    return n;
}

bool fractionIsZero(const QString& fraction)
{
    for (const QChar c : fraction)
        if (c != QLatin1Char('0'))
            return false;
    return true;
}

int64_t rounded(const Leading& n)
{
    int64_t magnitude = n.whole;
    if (!n.fraction.isEmpty()) {
        const int first = n.fraction[0].unicode() - '0';
        const bool exactHalf = first == 5 && fractionIsZero(n.fraction.mid(1));
        if (first > 5 || (first == 5 && !exactHalf) || (exactHalf && magnitude % 2 == 1))
            ++magnitude;
    }
    return n.negative ? -magnitude : magnitude;
}

} // namespace

int64_t toInteger(const QString& text, Sign sign) { return rounded(parse(text, sign)); }

bool isAbove(const QString& text, int64_t bound, Sign sign)
{
    const Leading n = parse(text, sign);
    const int64_t whole = n.negative ? -n.whole : n.whole;
    if (whole != bound)
        return whole > bound;
    // Equal whole parts: only a positive fraction lifts it above.
    return !n.negative && !fractionIsZero(n.fraction);
}

std::optional<int64_t> toFieldValue(const QString& text, FieldRange range)
{
    const Leading n = parse(text, range.minimum < 0 ? Sign::Allowed : Sign::NotAllowed);
    if (n.digits == 0 || n.length != text.size())
        return std::nullopt;
    const int64_t value = rounded(n);
    if (value < range.minimum || value > range.maximum)
        return std::nullopt;
    return value;
}

} // namespace zorvek::numbertext
