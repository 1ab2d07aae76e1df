// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchResult.h"

namespace zorvek::patches::bps {

// Unchanged runs are read from the source, changed runs carried in the patch;
// the three CRC32s close it.
PatchResult create(const QByteArray& source, const QByteArray& target);

// The target the patch makes of source. A patch for another source (its size
// or CRC-32) is refused with wrongSource and both values; a damaged one
// where it goes wrong; the target's CRC-32 is checked last.
ApplyResult apply(const QByteArray& patch, const QByteArray& source);

} // namespace zorvek::patches::bps
