// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/Crc32.h"
#include "core/image/LittleEndian.h"

#include <QByteArray>

#include <cstdint>

namespace zorvek::patches {

// The variable-length number BPS and UPS share: 7 bits a byte, the top bit
// marks the last, and each continuation takes one off so no number has two
// spellings.
void appendNumber(QByteArray& out, uint64_t value);

// Reads one at pos, stopping at end; false for one that runs past end or
// past 64 bits, so an endless run of continuation bytes ends quickly.
bool readNumber(const QByteArray& patch, qsizetype& pos, qsizetype end, uint64_t& value);

} // namespace zorvek::patches
