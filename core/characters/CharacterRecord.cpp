// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/characters/CharacterRecord.h"

#include "core/image/LittleEndian.h"

#include <QtGlobal>

namespace zorvek::characters {

CharacterRecord::CharacterRecord(RomImage& rom, int slot) : m_rom(rom), m_slot(slot) { Q_ASSERT(isSlot(slot)); }

uint8_t CharacterRecord::byteAt(qint64 field) const { return m_rom.readByte(at(field)); }

int16_t CharacterRecord::signedWordAt(qint64 field) const
{
    // Little-endian, two's complement: 0x8000 to 0xFFFF are negative.
    return le::at<qint16>(m_rom.readBytes(at(field), 2), 0);
}

IoResult CharacterRecord::writeByteAt(qint64 field, uint8_t value) { return m_rom.writeByte(at(field), value); }

IoResult CharacterRecord::writeSignedWordAt(qint64 field, int16_t value)
{
    return m_rom.writeBytes(at(field), le::bytes<qint16>(value));
}

qint64 CharacterRecord::commandField(int which)
{
    Q_ASSERT(which >= 0 && which < kCommandCount);
    return kBattleCommand1 + which;
}

uint8_t CharacterRecord::actor() const { return byteAt(kActor); }
uint8_t CharacterRecord::level() const { return byteAt(kLevel); }
int16_t CharacterRecord::experience() const { return signedWordAt(kExperience); }
int16_t CharacterRecord::currentHp() const { return signedWordAt(kCurrentHp); }
int16_t CharacterRecord::maximumHp() const { return signedWordAt(kMaximumHp); }
int16_t CharacterRecord::currentMp() const { return signedWordAt(kCurrentMp); }
int16_t CharacterRecord::maximumMp() const { return signedWordAt(kMaximumMp); }
uint8_t CharacterRecord::head() const { return byteAt(kHead); }
uint8_t CharacterRecord::body() const { return byteAt(kBody); }
uint8_t CharacterRecord::arms() const { return byteAt(kArms); }
uint8_t CharacterRecord::rightHand() const { return byteAt(kRightHand); }
uint8_t CharacterRecord::leftHand() const { return byteAt(kLeftHand); }
uint8_t CharacterRecord::equipBit() const { return byteAt(kEquipBit); }
uint8_t CharacterRecord::battleCommand(int which) const { return byteAt(commandField(which)); }
uint8_t CharacterRecord::strength() const { return byteAt(kStrength); }
uint8_t CharacterRecord::agility() const { return byteAt(kAgility); }
uint8_t CharacterRecord::vitality() const { return byteAt(kVitality); }
uint8_t CharacterRecord::magicPower() const { return byteAt(kMagicPower); }

IoResult CharacterRecord::setLevel(uint8_t value) { return writeByteAt(kLevel, value); }
IoResult CharacterRecord::setCurrentHp(int16_t value) { return writeSignedWordAt(kCurrentHp, value); }
IoResult CharacterRecord::setMaximumHp(int16_t value) { return writeSignedWordAt(kMaximumHp, value); }
IoResult CharacterRecord::setCurrentMp(int16_t value) { return writeSignedWordAt(kCurrentMp, value); }
IoResult CharacterRecord::setMaximumMp(int16_t value) { return writeSignedWordAt(kMaximumMp, value); }
IoResult CharacterRecord::setHead(uint8_t value) { return writeByteAt(kHead, value); }
IoResult CharacterRecord::setBody(uint8_t value) { return writeByteAt(kBody, value); }
IoResult CharacterRecord::setArms(uint8_t value) { return writeByteAt(kArms, value); }
IoResult CharacterRecord::setRightHand(uint8_t value) { return writeByteAt(kRightHand, value); }
IoResult CharacterRecord::setLeftHand(uint8_t value) { return writeByteAt(kLeftHand, value); }
IoResult CharacterRecord::setBattleCommand(int which, uint8_t value) { return writeByteAt(commandField(which), value); }
IoResult CharacterRecord::setStrength(uint8_t value) { return writeByteAt(kStrength, value); }
IoResult CharacterRecord::setAgility(uint8_t value) { return writeByteAt(kAgility, value); }
IoResult CharacterRecord::setVitality(uint8_t value) { return writeByteAt(kVitality, value); }
IoResult CharacterRecord::setMagicPower(uint8_t value) { return writeByteAt(kMagicPower, value); }

} // namespace zorvek::characters
