// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchResult.h"

namespace zorvek::patches::ups {

// Runs of the bytes in which target differs from source, each as the XOR of
// the two, after the count of equal bytes before it; the three CRC32s close it.
PatchResult create(const QByteArray& source, const QByteArray& target);

// As bps::apply: the source checked by size and CRC-32, the target by CRC-32.
ApplyResult apply(const QByteArray& patch, const QByteArray& source);

} // namespace zorvek::patches::ups
