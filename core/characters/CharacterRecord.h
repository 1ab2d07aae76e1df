// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <cstdint>

namespace zorvek::characters {

// One of the four starting character records, read and written in place.
// Each accessor is one file access at the field's own position; nothing is
// kept between calls. Bytes without an accessor are never written.
class CharacterRecord {
public:
    static constexpr int kSlotCount = 4;
    static constexpr qint64 kTableStart = 0x117200; // ROM 0x117000 behind the copier header
    static constexpr qint64 kSlotStride = 0x50;
    static constexpr int kCommandCount = 4;

    // Field offsets inside a record.
    static constexpr qint64 kActor = 0x00; // actor bit, shown only
    static constexpr qint64 kLevel = 0x02;
    static constexpr qint64 kExperience = 0x03;     // signed word, shown only
    static constexpr qint64 kCurrentHp = 0x06;      // signed word
    static constexpr qint64 kMaximumHp = 0x08;      // signed word
    static constexpr qint64 kCurrentMp = 0x0A;      // signed word
    static constexpr qint64 kMaximumMp = 0x0C;      // signed word
    static constexpr qint64 kHead = 0x0E;           // equipment list index
    static constexpr qint64 kBody = 0x0F;           // equipment list index
    static constexpr qint64 kArms = 0x10;           // equipment list index
    static constexpr qint64 kRightHand = 0x13;      // equipment list index
    static constexpr qint64 kLeftHand = 0x14;       // equipment list index
    static constexpr qint64 kEquipBit = 0x15;       // shown only
    static constexpr qint64 kBattleCommand1 = 0x16; // battle command list index, then 2 to 4
    static constexpr qint64 kStrength = 0x24;
    static constexpr qint64 kAgility = 0x25;
    static constexpr qint64 kVitality = 0x26;
    static constexpr qint64 kMagicPower = 0x27;

    static bool isSlot(int slot) { return slot >= 0 && slot < kSlotCount; }
    // File offset of the first byte of a slot (0 to 3).
    static qint64 start(int slot) { return kTableStart + kSlotStride * slot; }

    // slot must be 0 to 3.
    CharacterRecord(RomImage& rom, int slot);

    int slot() const { return m_slot; }

    uint8_t actor() const;
    uint8_t level() const;
    int16_t experience() const;
    int16_t currentHp() const;
    int16_t maximumHp() const;
    int16_t currentMp() const;
    int16_t maximumMp() const;
    uint8_t head() const;
    uint8_t body() const;
    uint8_t arms() const;
    uint8_t rightHand() const;
    uint8_t leftHand() const;
    uint8_t equipBit() const;
    // which: 0 to 3 for commands 1 to 4.
    uint8_t battleCommand(int which) const;
    uint8_t strength() const;
    uint8_t agility() const;
    uint8_t vitality() const;
    uint8_t magicPower() const;

    // Actor, experience and equip bit are never written.
    IoResult setLevel(uint8_t value);
    IoResult setCurrentHp(int16_t value);
    IoResult setMaximumHp(int16_t value);
    IoResult setCurrentMp(int16_t value);
    IoResult setMaximumMp(int16_t value);
    IoResult setHead(uint8_t value);
    IoResult setBody(uint8_t value);
    IoResult setArms(uint8_t value);
    IoResult setRightHand(uint8_t value);
    IoResult setLeftHand(uint8_t value);
    IoResult setBattleCommand(int which, uint8_t value);
    IoResult setStrength(uint8_t value);
    IoResult setAgility(uint8_t value);
    IoResult setVitality(uint8_t value);
    IoResult setMagicPower(uint8_t value);

private:
    qint64 at(qint64 field) const { return start(m_slot) + field; }
    uint8_t byteAt(qint64 field) const;
    int16_t signedWordAt(qint64 field) const;
    IoResult writeByteAt(qint64 field, uint8_t value);
    IoResult writeSignedWordAt(qint64 field, int16_t value);
    static qint64 commandField(int which);

    RomImage& m_rom;
    int m_slot;
};

} // namespace zorvek::characters
