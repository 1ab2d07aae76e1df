// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace zorvek::monsters::specialbits {

// The named bits of the special bit byte; the other five have no box.
inline constexpr uint8_t kHideHp = 0x80;   // bit 7
inline constexpr uint8_t kUnknown1 = 0x08; // bit 3
inline constexpr uint8_t kUnknown2 = 0x10; // bit 4

struct Boxes {
    bool hideHp = false;
    bool unknown1 = false;
    bool unknown2 = false;
    bool operator==(const Boxes&) const = default;
};

// Each box shows its own bit, whatever the other bits hold.
Boxes boxesFor(uint8_t byte);

// Ticking sets the box's bit and clearing clears it; other bits stay, so
// the byte can never carry into a neighbour or pass 255.
uint8_t withBit(uint8_t byte, uint8_t bit, bool on);

} // namespace zorvek::monsters::specialbits
