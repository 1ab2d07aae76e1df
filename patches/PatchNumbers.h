// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

uint32_t crc32Of(const char* data, qint64 size);
inline uint32_t crc32Of(const QByteArray& bytes) { return crc32Of(bytes.constData(), bytes.size()); }

void appendLittleEndian32(QByteArray& out, uint32_t value);
uint32_t littleEndian32(const QByteArray& bytes, qsizetype at);

} // namespace zorvek::patches
