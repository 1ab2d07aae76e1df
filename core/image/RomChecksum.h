// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <QByteArray>

#include <cstdint>

namespace zorvek::checksum {

inline constexpr qint64 kRomDataOffset = 0x200;      // the ROM data follows the copier header
inline constexpr qint64 kComplementOffset = 0x101DC; // ROM 0xFFDC: complement word, then the checksum
inline constexpr qint64 kChecksumOffset = 0x101DE;   // ROM 0xFFDE
inline constexpr int kWordsLength = 4;               // complement and checksum, both little-endian

// The cartridge header's checksum words against the sum of the ROM data.
struct State {
    uint16_t stored = 0;
    uint16_t storedComplement = 0;
    uint16_t computed = 0;
    bool valid() const { return stored == computed && storedComplement == static_cast<uint16_t>(~computed); }
};

// 16-bit sum of the ROM data, a size that is not a power of two mirrored up to
// one. The stored words count as a valid pair whatever they hold, so fixing
// them never changes the sum.
uint16_t compute(const RomImage& rom);

State readState(const RomImage& rom);

// "valid (0x1234)", or stale with the stored and the computed value.
QString stateText(const State& state);

// The four bytes for kComplementOffset: complement then checksum, low byte first.
QByteArray wordsFor(uint16_t computed);

// Writes the words of the computed sum (one write of four bytes).
IoResult fix(RomImage& rom);

} // namespace zorvek::checksum
