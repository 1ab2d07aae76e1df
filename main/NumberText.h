#pragma once

#include <QString>

#include <cstdint>

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

} // namespace zorvek::numbertext
