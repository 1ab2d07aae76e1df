// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/Crc32.h"
#include "core/image/LittleEndian.h"
#include "patches/PatchResult.h"

#include <QByteArray>

#include <cstdint>
#include <initializer_list>

namespace zorvek::patches {

// The variable-length number BPS and UPS share: 7 bits a byte, the top bit
// marks the last, and each continuation takes one off so no number has two
// spellings.
void appendNumber(QByteArray& out, uint64_t value);

// Reads one at pos, stopping at end; false for one that runs past end or
// past 64 bits, so an endless run of continuation bytes ends quickly.
bool readNumber(const QByteArray& patch, qsizetype& pos, qsizetype end, uint64_t& value);

// Checks what BPS and UPS share before their records: the four-byte magic,
// the patch's own CRC-32 at its very end, and the numbers that open it, the
// second of which is the target's size, bounded by the largest image. Sets
// pos past those numbers and footer where the records end (the source,
// target and patch CRC-32s follow).
ApplyResult readOpening(const QByteArray& patch, const char* magic, std::initializer_list<uint64_t*> numbers,
                        qsizetype& pos, qsizetype& footer);

} // namespace zorvek::patches
