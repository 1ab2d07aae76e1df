// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchResult.h"

#include <cstdint>

namespace zorvek::patches::bps {

// Unchanged runs are read from the source, changed runs carried in the patch;
// the three CRC32s close it.
PatchResult create(const QByteArray& source, const QByteArray& target);

// The format's variable-length number.
void appendNumber(QByteArray& out, uint64_t value);

uint32_t crc32Of(const char* data, qint64 size);

} // namespace zorvek::patches::bps
