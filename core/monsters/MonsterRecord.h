// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <cstdint>

namespace zorvek::monsters {

// The monster table: 256 stats records of 32 bytes. Offsets count the
// 512-byte copier header, as every position in the image does.
inline constexpr qint64 kTableOffset = 0x100200;
inline constexpr int kRecordSize = 32;
inline constexpr int kRecordCount = 256;

// Positions of the fields within a record.
namespace field {
inline constexpr int kAgility = 0x00;    // byte
inline constexpr int kStrength = 0x01;   // byte
inline constexpr int kMagicPower = 0x02; // byte
inline constexpr int kEvade = 0x03;      // byte, evade percentage
inline constexpr int kDefense = 0x04;    // byte
inline constexpr int kUnknown = 0x05;    // byte, read only
// Which of bytes 6 and 7 holds which immunity set is this editor's own
// choice: 6 holds the element immunity flags ("No DMG from:"), 7 the status
// immunity flags ("Strong Against:"). Load and save both go through here.
inline constexpr int kElementImmunity = 0x06;   // 8 flags
inline constexpr int kStatusImmunity = 0x07;    // 8 flags
inline constexpr int kHitPoints = 0x08;         // word, low byte first
inline constexpr int kMagicPoints = 0x0A;       // word, read only
inline constexpr int kExperience = 0x0C;        // word
inline constexpr int kGil = 0x0E;               // word
inline constexpr int kAttackAnimation = 0x10;   // byte
inline constexpr int kAbsorb = 0x15;            // 8 flags
inline constexpr int kWeakness = 0x17;          // 8 flags
inline constexpr int kSpecialBits = 0x19;       // bit flags, also shown as a number
inline constexpr int kSpecialAttributes = 0x1C; // 8 flags
inline constexpr int kStartStatus = 0x1D;       // 8 flags, statuses at battle start
inline constexpr int kNameIndex = 0x1E;         // byte, read only
inline constexpr int kLevel = 0x1F;             // byte
} // namespace field

// One monster's record in the open image. Every accessor is one read or one
// write at the field's own position; nothing is kept between calls.
class MonsterRecord {
public:
    static bool isValidIndex(int index) { return index >= 0 && index < kRecordCount; }

    // index must be valid.
    MonsterRecord(RomImage& rom, int index);

    int index() const { return m_index; }
    // The 1-based number users know a record by: 1 for record 0, 8161 for 255.
    int recordBase() const { return kRecordSize * m_index + 1; }
    // 0-based file offset of record byte k.
    qint64 offsetOf(int k) const { return kTableOffset + qint64{kRecordSize} * m_index + k; }

    uint8_t agility() const;
    uint8_t strength() const;
    uint8_t magicPower() const;
    uint8_t evade() const;
    uint8_t defense() const;
    uint8_t unknown() const;
    uint8_t elementImmunityFlags() const;
    uint8_t statusImmunityFlags() const;
    uint16_t hitPoints() const;
    uint16_t magicPoints() const;
    uint16_t experience() const;
    uint16_t gil() const;
    uint8_t attackAnimation() const;
    uint8_t absorbFlags() const;
    uint8_t weaknessFlags() const;
    uint8_t specialBits() const;
    uint8_t specialAttributeFlags() const;
    uint8_t startStatusFlags() const;
    uint8_t nameIndex() const;
    uint8_t level() const;

    // Unknown, magic points and name index are never written.
    IoResult setAgility(uint8_t value);
    IoResult setStrength(uint8_t value);
    IoResult setMagicPower(uint8_t value);
    IoResult setEvade(uint8_t value);
    IoResult setDefense(uint8_t value);
    IoResult setElementImmunityFlags(uint8_t value);
    IoResult setStatusImmunityFlags(uint8_t value);
    IoResult setHitPoints(uint16_t value);
    IoResult setExperience(uint16_t value);
    IoResult setGil(uint16_t value);
    IoResult setAttackAnimation(uint8_t value);
    IoResult setAbsorbFlags(uint8_t value);
    IoResult setWeaknessFlags(uint8_t value);
    IoResult setSpecialBits(uint8_t value);
    IoResult setSpecialAttributeFlags(uint8_t value);
    IoResult setStartStatusFlags(uint8_t value);
    IoResult setLevel(uint8_t value);

    // Any field by its position k within the record.
    uint8_t byteAt(int k) const;
    uint16_t wordAt(int k) const;
    IoResult setByteAt(int k, uint8_t value);
    IoResult setWordAt(int k, uint16_t value);

private:
    RomImage& m_rom;
    int m_index;
};

} // namespace zorvek::monsters
