// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/SpecialBits.h"

namespace zorvek::monsters::specialbits {

Boxes boxesFor(uint8_t byte) { return {(byte & kHideHp) != 0, (byte & kUnknown1) != 0, (byte & kUnknown2) != 0}; }

uint8_t withBit(uint8_t byte, uint8_t bit, bool on) { return static_cast<uint8_t>(on ? byte | bit : byte & ~bit); }

} // namespace zorvek::monsters::specialbits
