// SPDX-License-Identifier: GPL-3.0-or-later
#include "DemoRom.h"

#include "core/image/RomChecksum.h"
#include "core/image/RomImage.h"

#include <random>

using zorvek::test::RomFixture;

namespace {

class Dice {
public:
    explicit Dice(uint32_t seed) : m_gen(seed) { }
    int between(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_gen); }
    bool chance(int percent) { return between(1, 100) <= percent; }
    uint8_t sparseFlags(int percentPerBit)
    {
        uint8_t b = 0;
        for (int i = 0; i < 8; ++i)
            if (chance(percentPerBit))
                b |= 1u << i;
        return b;
    }

private:
    std::mt19937 m_gen;
};

void writeMonsters(RomFixture& rom, Dice& dice)
{
    static const uint8_t specialBits[] = {0, 0, 0, 0, 0x80, 0x08, 0x10, 0x18, 0x88, 0x90, 0x98};
    for (int i = 0; i < 256; ++i) {
        const int tier = i / 26 + 1; // later records are tougher
        const bool boss = i % 29 == 28;
        rom.monsterByte(i, 0, dice.between(3, 10 + 8 * tier));  // agility
        rom.monsterByte(i, 1, dice.between(4, 12 + 12 * tier)); // strength
        rom.monsterByte(i, 2, dice.between(0, 8 + 10 * tier));  // magic power
        rom.monsterByte(i, 3, dice.between(0, 5 + 3 * tier));   // evade %
        rom.monsterByte(i, 4, dice.between(0, 10 + 10 * tier)); // defense
        rom.monsterByte(i, 5, dice.between(0, 255));            // unknown
        rom.monsterByte(i, 6, dice.sparseFlags(8));             // element immunity
        rom.monsterByte(i, 7, dice.sparseFlags(10));            // status immunity
        const int hp = boss ? dice.between(8000, 60000) : dice.between(10 * tier, 400 * tier * tier);
        rom.monsterWord(i, 8, static_cast<uint16_t>(hp));
        rom.monsterWord(i, 10, static_cast<uint16_t>(dice.between(0, 50 * tier)));
        rom.monsterWord(i, 12, static_cast<uint16_t>(dice.between(tier, 120 * tier * tier)));
        rom.monsterWord(i, 14, static_cast<uint16_t>(dice.between(0, 90 * tier * tier)));
        rom.monsterByte(i, 16, static_cast<uint8_t>(dice.chance(95) ? dice.between(0, 159) : dice.between(160, 207)));
        for (int k : {17, 18, 19, 20, 22, 24, 26, 27})
            rom.monsterByte(i, k, dice.between(0, 255));
        rom.monsterByte(i, 21, dice.sparseFlags(5));  // absorb
        rom.monsterByte(i, 23, dice.sparseFlags(15)); // weakness
        rom.monsterByte(i, 25, specialBits[dice.between(0, sizeof specialBits - 1)]);
        rom.monsterByte(i, 28, dice.sparseFlags(6));     // special attributes
        rom.monsterByte(i, 29, dice.sparseFlags(3));     // start-battle status
        rom.monsterByte(i, 30, static_cast<uint8_t>(i)); // name index
        rom.monsterByte(i, 31, qMin(99, dice.between(1, 4) + 7 * (tier - 1) + (boss ? 10 : 0)));
    }
}

// Runs of equipment list positions holding one kind of item.
struct ItemRange {
    int first, last;
};
constexpr int kEmpty = 0x01;
constexpr ItemRange kWeapons{0x02, 0x6E};    // Tin Dirk to Bent Spoon
constexpr ItemRange kShields{0x81, 0x8A};    // Buckler to Zorvek Shield
constexpr ItemRange kHeadwear{0x8B, 0x98};   // Wool Cap to Zorvek Helm
constexpr ItemRange kBodyArmour{0x99, 0xB2}; // Cotton Tunic to Mirage Vest
constexpr ItemRange kArmwear{0xB3, 0xBC};    // Leather Gloves to Sage Bracelet

void writeCharacters(RomFixture& rom, Dice& dice)
{
    for (int slot = 0; slot < 4; ++slot) {
        for (int k = 0; k < 80; ++k)
            rom.characterByte(slot, k, dice.between(0, 255)); // bytes the editor leaves alone
        const int level = dice.between(1, 8);
        const int hp = 40 + 18 * level + dice.between(0, 30);
        const int mp = dice.between(0, 12) * level;
        rom.characterByte(slot, 0, slot); // actor
        rom.characterByte(slot, 2, level);
        rom.characterWord(slot, 3, static_cast<uint16_t>(level * level * 25));
        rom.characterWord(slot, 6, static_cast<uint16_t>(hp));
        rom.characterWord(slot, 8, static_cast<uint16_t>(hp));
        rom.characterWord(slot, 10, static_cast<uint16_t>(mp));
        rom.characterWord(slot, 12, static_cast<uint16_t>(mp));
        // Each slot takes items of its kind, as data/equipment.txt groups them.
        rom.characterByte(slot, 14, dice.between(kHeadwear.first, kHeadwear.last));
        rom.characterByte(slot, 15, dice.between(kBodyArmour.first, kBodyArmour.last));
        rom.characterByte(slot, 16, dice.between(kArmwear.first, kArmwear.last));
        rom.characterByte(slot, 19, dice.between(kWeapons.first, kWeapons.last)); // right hand
        rom.characterByte(slot, 20, dice.chance(50) ? kEmpty : dice.between(kShields.first, kShields.last));
        rom.characterByte(slot, 21, dice.between(0, 255)); // equip bit
        rom.characterByte(slot, 22, 0x01);
        rom.characterByte(slot, 23, dice.between(0x02, 0x23));
        rom.characterByte(slot, 24, dice.between(0x28, 0x4D));
        rom.characterByte(slot, 25, dice.chance(50) ? 0x00 : dice.between(0x80, 0x9F));
        for (int k = 36; k <= 39; ++k)
            rom.characterByte(slot, k, dice.between(5, 40));
    }
}

} // namespace

namespace zorvek::demo {

RomFixture demoImage()
{
    RomFixture rom(RomFixture::kFullSize);
    Dice dice(20021205);
    rom.copierHeader(1).checkWord(0x1878).internalName("KELVARNTHOSIA 5");
    writeMonsters(rom, dice);
    writeCharacters(rom, dice);
    // A real dump's checksum is valid; the demo's is too.
    RomImage image;
    image.openCopy(rom.bytes(), RomImage::CopyAccess::ReadOnly, QStringLiteral("demo image"));
    rom.bytesAt(checksum::kComplementOffset, checksum::wordsFor(checksum::compute(image)));
    return rom;
}

} // namespace zorvek::demo
