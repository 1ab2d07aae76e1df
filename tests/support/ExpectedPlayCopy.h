// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fixtures/RomFixture.h"

namespace zorvek::test {

// What an emulator should be given for a headered image whose ROM data is a
// power of two long: the ROM data alone, its checksum words made valid.
inline QByteArray expectedPlayCopy(const QByteArray& image)
{
    QByteArray rom = image.mid(0x200);
    const auto sum = static_cast<uint16_t>(plainRomSum(image, 0, rom.size()));
    const auto complement = static_cast<uint16_t>(~sum);
    rom[0xFFDC] = static_cast<char>(complement & 0xFF);
    rom[0xFFDD] = static_cast<char>(complement >> 8);
    rom[0xFFDE] = static_cast<char>(sum & 0xFF);
    rom[0xFFDF] = static_cast<char>(sum >> 8);
    return rom;
}

// A whole 2 MiB image of random bytes with a stale checksum.
inline RomFixture playableImage(uint32_t seed)
{
    RomFixture rom(RomFixture::kFullSize);
    rom.fillRandom(seed).copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5").word32At(0x101DC, 0);
    return rom;
}

} // namespace zorvek::test
