// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <array>
#include <cstdint>

namespace zorvek {

// List index of the copier type box; the order is the box's entry order.
enum class CopierType : int {
    Undetected = 0, // no known copier header
    SuperMagicom = 1,
    SuperWildCard = 2,
    ProFighter = 3,
    NotLoaded = 4, // no image open; writes nothing
};

namespace copier {

inline constexpr qint64 kWordAOffset = 0x000;      // header word A
inline constexpr qint64 kDetectWordOffset = 0x001; // second MagiCom form, read only
inline constexpr qint64 kWordBOffset = 0x004;      // header word B
inline constexpr qint64 kWordCOffset = 0x008;      // header word C
inline constexpr int kHeaderSize = 0x200;          // bytes in front of the ROM data

struct HeaderWords {
    uint32_t a;
    uint32_t b;
    uint32_t c;
};

// Texts of the copier type box, in index order.
std::array<const char*, 5> typeNames();

// The words written for a copier type; NotLoaded has none.
bool headerWordsFor(CopierType type, HeaderWords* out);

CopierType detect(const RomImage& rom);

// Writes words A, B, C in that order; NotLoaded writes nothing.
IoResult write(RomImage& rom, CopierType type);

} // namespace copier

namespace romcheck {

inline constexpr qint64 kCheckWordOffset = 0x200;      // first two bytes of ROM data
inline constexpr uint16_t kExpectedCheckWord = 0x1878; // 78 18: SEI, CLC

bool isRightGame(const RomImage& rom);

} // namespace romcheck

} // namespace zorvek
