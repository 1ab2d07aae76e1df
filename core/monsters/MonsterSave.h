// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace zorvek::monsters {

class MonsterRecord;

// What the window holds for the writable fields when Save is pressed:
// texts as shown, flag bytes already built from the lists.
struct MonsterEntries {
    QString agility, strength, magicPower, evade, defense;
    QString hitPoints, experience, gil;
    QString attackAnimation, specialBits, level;
    uint8_t elementImmunity = 0, statusImmunity = 0, absorb = 0, weakness = 0;
    uint8_t specialAttributes = 0, startStatus = 0;
};

// The fields of a record that the editor handles (fields::all()).
inline constexpr int kFieldCount = 20;

// The same, as the numbers that go into the record, by field.
struct MonsterValues {
    std::array<uint16_t, kFieldCount> numbers{};
};

// Either every value fits its field, or the first one that does not.
struct CheckedEntries {
    std::optional<MonsterValues> values;
    QString field;   // window label of the refused field, e.g. "Hit Points"
    QString text;    // its text as shown
    int maximum = 0; // what the field can hold
};

// Each text must be a whole decimal number ("12.5" saves as 12, halves
// round to even); anything else, "-7" and "." included, is refused.
CheckedEntries checkEntries(const MonsterEntries& entries);

// The message shown when a save is refused.
QString refusalMessage(const CheckedEntries& refused);

// Writes every writable field in the fields' order; stops at the first failed write.
IoResult writeValues(MonsterRecord& record, const MonsterValues& values);

} // namespace zorvek::monsters
