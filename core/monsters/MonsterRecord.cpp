// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/MonsterRecord.h"

#include "core/image/LittleEndian.h"

#include <QtGlobal>

namespace zorvek::monsters {

MonsterRecord::MonsterRecord(RomImage& rom, int index) : m_rom(rom), m_index(index) { Q_ASSERT(isValidIndex(index)); }

uint8_t MonsterRecord::byteAt(int k) const { return m_rom.readByte(offsetOf(k)); }

uint16_t MonsterRecord::wordAt(int k) const
{
    // One read of both bytes.
    return le::at<quint16>(m_rom.readBytes(offsetOf(k), 2), 0);
}

IoResult MonsterRecord::setByteAt(int k, uint8_t value) { return m_rom.writeByte(offsetOf(k), value); }

IoResult MonsterRecord::setWordAt(int k, uint16_t value)
{
    return m_rom.writeBytes(offsetOf(k), le::bytes<quint16>(value));
}

uint8_t MonsterRecord::agility() const { return byteAt(field::kAgility); }
uint8_t MonsterRecord::strength() const { return byteAt(field::kStrength); }
uint8_t MonsterRecord::magicPower() const { return byteAt(field::kMagicPower); }
uint8_t MonsterRecord::evade() const { return byteAt(field::kEvade); }
uint8_t MonsterRecord::defense() const { return byteAt(field::kDefense); }
uint8_t MonsterRecord::unknown() const { return byteAt(field::kUnknown); }
uint8_t MonsterRecord::elementImmunityFlags() const { return byteAt(field::kElementImmunity); }
uint8_t MonsterRecord::statusImmunityFlags() const { return byteAt(field::kStatusImmunity); }
uint16_t MonsterRecord::hitPoints() const { return wordAt(field::kHitPoints); }
uint16_t MonsterRecord::magicPoints() const { return wordAt(field::kMagicPoints); }
uint16_t MonsterRecord::experience() const { return wordAt(field::kExperience); }
uint16_t MonsterRecord::gil() const { return wordAt(field::kGil); }
uint8_t MonsterRecord::attackAnimation() const { return byteAt(field::kAttackAnimation); }
uint8_t MonsterRecord::absorbFlags() const { return byteAt(field::kAbsorb); }
uint8_t MonsterRecord::weaknessFlags() const { return byteAt(field::kWeakness); }
uint8_t MonsterRecord::specialBits() const { return byteAt(field::kSpecialBits); }
uint8_t MonsterRecord::specialAttributeFlags() const { return byteAt(field::kSpecialAttributes); }
uint8_t MonsterRecord::startStatusFlags() const { return byteAt(field::kStartStatus); }
uint8_t MonsterRecord::nameIndex() const { return byteAt(field::kNameIndex); }
uint8_t MonsterRecord::level() const { return byteAt(field::kLevel); }

IoResult MonsterRecord::setAgility(uint8_t value) { return setByteAt(field::kAgility, value); }
IoResult MonsterRecord::setStrength(uint8_t value) { return setByteAt(field::kStrength, value); }
IoResult MonsterRecord::setMagicPower(uint8_t value) { return setByteAt(field::kMagicPower, value); }
IoResult MonsterRecord::setEvade(uint8_t value) { return setByteAt(field::kEvade, value); }
IoResult MonsterRecord::setDefense(uint8_t value) { return setByteAt(field::kDefense, value); }
IoResult MonsterRecord::setElementImmunityFlags(uint8_t value) { return setByteAt(field::kElementImmunity, value); }
IoResult MonsterRecord::setStatusImmunityFlags(uint8_t value) { return setByteAt(field::kStatusImmunity, value); }
IoResult MonsterRecord::setHitPoints(uint16_t value) { return setWordAt(field::kHitPoints, value); }
IoResult MonsterRecord::setExperience(uint16_t value) { return setWordAt(field::kExperience, value); }
IoResult MonsterRecord::setGil(uint16_t value) { return setWordAt(field::kGil, value); }
IoResult MonsterRecord::setAttackAnimation(uint8_t value) { return setByteAt(field::kAttackAnimation, value); }
IoResult MonsterRecord::setAbsorbFlags(uint8_t value) { return setByteAt(field::kAbsorb, value); }
IoResult MonsterRecord::setWeaknessFlags(uint8_t value) { return setByteAt(field::kWeakness, value); }
IoResult MonsterRecord::setSpecialBits(uint8_t value) { return setByteAt(field::kSpecialBits, value); }
IoResult MonsterRecord::setSpecialAttributeFlags(uint8_t value) { return setByteAt(field::kSpecialAttributes, value); }
IoResult MonsterRecord::setStartStatusFlags(uint8_t value) { return setByteAt(field::kStartStatus, value); }
IoResult MonsterRecord::setLevel(uint8_t value) { return setByteAt(field::kLevel, value); }

} // namespace zorvek::monsters
