// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

namespace zorvek::internalname {

inline constexpr qint64 kOffset = 0x101C0; // title in the cartridge header (ROM 0xFFC0)
inline constexpr int kLength = 21;

// All 21 characters, trailing blanks included.
QString read(const RomImage& rom);

// Blanks the field, then writes the text over it: never more than 21 bytes.
IoResult write(RomImage& rom, const QString& name);

} // namespace zorvek::internalname
