// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/characters/CharacterRecord.h"

#include <QString>

#include <array>
#include <cstdint>

namespace zorvek::characters {

// A slot as the window shows it: box texts and the stored list bytes.
struct CharacterView {
    QString actor;
    QString level;
    QString experience;
    QString strength;
    QString agility;
    QString vitality;
    QString magicPower;
    QString equipBit;
    QString currentHp;
    QString maximumHp;
    QString currentMp;
    QString maximumMp;
    uint8_t rightHand = 0;
    uint8_t leftHand = 0;
    uint8_t head = 0;
    uint8_t body = 0;
    uint8_t arms = 0;
    std::array<uint8_t, CharacterRecord::kCommandCount> commands{};
};

// Every value a save writes, already checked to fit its field.
struct CharacterValues {
    uint8_t level = 0;
    int16_t currentHp = 0;
    int16_t maximumHp = 0;
    int16_t currentMp = 0;
    int16_t maximumMp = 0;
    uint8_t strength = 0;
    uint8_t agility = 0;
    uint8_t vitality = 0;
    uint8_t magicPower = 0;
    uint8_t rightHand = 0;
    uint8_t leftHand = 0;
    uint8_t head = 0;
    uint8_t body = 0;
    uint8_t arms = 0;
    std::array<uint8_t, CharacterRecord::kCommandCount> commands{};
};

// Reads every shown field of a slot, one access each.
CharacterView loadCharacter(RomImage& rom, int slot);

// Writes the editable fields in order, each flushed at once. An image too
// short for the slot gets none; a write that fails part way stops the save,
// leaving the fields before it written.
IoResult saveCharacter(RomImage& rom, int slot, const CharacterValues& values);

} // namespace zorvek::characters
