// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchResult.h"

#include <cstdint>

namespace zorvek::patches {

// A BPS or UPS patch names the source it was made from by size and CRC-32;
// any other source would be changed into garbage.
ApplyResult checkSource(const QByteArray& source, uint64_t size, uint32_t crc);

// The result the patch promised; at: where the patch keeps its CRC-32.
ApplyResult checkTarget(const QByteArray& target, uint32_t crc, qint64 at);

} // namespace zorvek::patches
