// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchResult.h"

namespace zorvek::patches::ips {

inline constexpr qint64 kMaxRecordLength = 0xFFFF;  // the record's 16-bit size
inline constexpr qint64 kMaxTargetSize = 0x1000000; // offsets are 24-bit
inline constexpr qint64 kEofOffset = 0x454F46;      // reads as the "EOF" marker: no record starts there

// Records for every byte of target that differs from source (bytes past the
// end of source always count as different). A target shorter than source, or
// too big for 24-bit offsets, is refused.
PatchResult create(const QByteArray& source, const QByteArray& target);

} // namespace zorvek::patches::ips
