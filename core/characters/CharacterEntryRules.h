// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace zorvek::characters::rules {

// Which boxes cap their text: only the four attributes stop at 255.
enum class Cap { None, Attribute };

inline constexpr int kAttributeCap = 255;
// Hit and magic points never show more than four digits.
inline constexpr int kShownPointsCap = 9999;

// The text a box must show in place of text, or nullopt when it stands:
// an empty text becomes "0", an attribute above 255 becomes "255".
std::optional<QString> correctedText(const QString& text, Cap cap);

// Hit and magic points as shown: above 9999 shows 9999, negatives stay.
int16_t shownPoints(int16_t stored);

// The entry that stands for a stored byte that a list has no entry for.
QString unlistedEquipmentLabel(uint8_t value);
QString unlistedCommandLabel(uint8_t value);

} // namespace zorvek::characters::rules
