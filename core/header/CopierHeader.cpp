// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/header/CopierHeader.h"

namespace zorvek::copier {

namespace {
constexpr uint32_t kMagicomA = 0x00000100;
constexpr uint32_t kMagicomDetectAlt = 0x00800001; // 01 00 80 00 at 0x001
constexpr uint32_t kWildCardA = 0x00040080;
constexpr uint32_t kSwcSmcC = 0x0004BBAA; // AA BB 04 00
constexpr uint32_t kFigA = 0x00000080;
constexpr uint32_t kFigB = 0x00008377;
} // namespace

std::array<const char*, 5> typeNames()
{
    return {"No Header or Undetected", "Super MagicCom", "Super Wild Card", "Pro Fighter X",
            "Zorvek ROM not loaded..."};
}

bool headerWordsFor(CopierType type, HeaderWords* out)
{
    switch (type) {
    case CopierType::Undetected:
        *out = {0, 0, 0};
        return true;
    case CopierType::SuperMagicom:
        *out = {kMagicomA, 0, kSwcSmcC};
        return true;
    case CopierType::SuperWildCard:
        *out = {kWildCardA, 0, kSwcSmcC};
        return true;
    case CopierType::ProFighter:
        *out = {kFigA, kFigB, 0};
        return true;
    case CopierType::NotLoaded:
        break;
    }
    return false;
}

CopierType detect(const RomImage& rom)
{
    const uint32_t a = rom.readWord32(kWordAOffset);
    const uint32_t c = rom.readWord32(kWordCOffset);
    const uint32_t alt = rom.readWord32(kDetectWordOffset);
    const uint32_t b = rom.readWord32(kWordBOffset);
    if (a == kMagicomA && c == kSwcSmcC)
        return CopierType::SuperMagicom;
    if (alt == kMagicomDetectAlt && c == kSwcSmcC)
        return CopierType::SuperMagicom;
    if (a == kWildCardA && c == kSwcSmcC)
        return CopierType::SuperWildCard;
    if (a == kFigA && b == kFigB && c == 0)
        return CopierType::ProFighter;
    return CopierType::Undetected;
}

IoResult write(RomImage& rom, CopierType type)
{
    HeaderWords words{};
    if (!headerWordsFor(type, &words))
        return IoResult::success();
    // All three words or none: a half-written header is another copier's.
    if (auto r = rom.checkHolds(kWordAOffset, 12); !r.ok())
        return r;
    if (auto r = rom.writeWord32(kWordAOffset, words.a); !r.ok())
        return r;
    if (auto r = rom.writeWord32(kWordBOffset, words.b); !r.ok())
        return r;
    return rom.writeWord32(kWordCOffset, words.c);
}

} // namespace zorvek::copier

namespace zorvek::romcheck {

bool isRightGame(const RomImage& rom) { return rom.readWord16(kCheckWordOffset) == kExpectedCheckWord; }

} // namespace zorvek::romcheck
