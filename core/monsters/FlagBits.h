// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace zorvek::monsters::flagbits {

// Bit i of a flag byte (value 2^i) is list entry first + i.
using Entries = std::array<bool, 8>;

Entries toEntries(uint8_t flags);
uint8_t toByte(const Entries& entries);

} // namespace zorvek::monsters::flagbits
