// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace zorvek::numbertext {

enum class Sign { NotAllowed, Allowed };

// The decimal number a text begins with: digits with an optional decimal
// point and fraction ("1.2.3" reads as 1.2, "." and "abc" as 0), rounded to
// the nearest whole number, halves to the even neighbour. Saturates far
// outside any field instead of overflowing.
int64_t toInteger(const QString& text, Sign sign = Sign::NotAllowed);

// The same leading number compared exactly with a whole bound: true when
// it is greater (so "255.5" is above 255 while "255" is not).
bool isAbove(const QString& text, int64_t bound, Sign sign = Sign::NotAllowed);

// The whole numbers a field can store.
struct FieldRange {
    int64_t minimum;
    int64_t maximum;
};

// A text that is to be stored in a field: the whole text must be one decimal
// number (digits with at most one decimal point, at least one digit, a
// leading minus only when the field holds negatives). It is rounded as
// toInteger rounds and must then fit the range. nullopt for "", ".", "1..",
// "7 apples", "-7" in an unsigned field or a number beyond the range.
std::optional<int64_t> toFieldValue(const QString& text, FieldRange range);

} // namespace zorvek::numbertext
