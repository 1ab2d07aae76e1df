// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/characters/CharacterSlot.h"

#include <QString>

#include <array>
#include <optional>

namespace zorvek::characters {

// What the window holds when Save is pressed.
struct CharacterEdits {
    QString level;
    QString currentHp;
    QString maximumHp;
    QString currentMp;
    QString maximumMp;
    QString strength;
    QString agility;
    QString vitality;
    QString magicPower;
    // The byte each list's selected entry stands for; nullopt when none is selected.
    std::optional<int> rightHand;
    std::optional<int> leftHand;
    std::optional<int> head;
    std::optional<int> body;
    std::optional<int> arms;
    std::array<std::optional<int>, CharacterRecord::kCommandCount> commands;
};

// Either every value fits its field, or the message names the first that does not.
struct CheckedCharacter {
    std::optional<CharacterValues> values;
    QString problem;
};

// Each text must be a whole decimal number that, rounded halves to even,
// fits its field: bytes 0 to 255, point words -32768 to 32767.
CheckedCharacter checkCharacter(const CharacterEdits& edits);

} // namespace zorvek::characters
