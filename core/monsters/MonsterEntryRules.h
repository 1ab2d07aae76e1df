// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace zorvek::monsters::rules {

inline constexpr int kByteMaximum = 255;
// Below the word's 65535 on purpose: the game's own ceiling.
inline constexpr int kWordMaximum = 65500;

// Attack animations 0 to 207 have an entry; higher bytes only a number.
inline constexpr int kAttackAnimationCount = 208;
inline constexpr char kAttackWarning[] =
    "Can not show attack animations above byte CF, they are all mostly glitches and will crash the game.  ";

// One numeric text box: how many characters typing may reach, and the
// value its change rule caps the text at (none for magic points and the
// attack index, which has its own check).
struct EntryRule {
    const char* box;
    int inputLimit;
    std::optional<int> maximum;
};

inline constexpr std::array<EntryRule, 13> kEntryRules{{
    {"LevelTXT", 2, kByteMaximum},
    {"HPTXT", 5, kWordMaximum},
    {"EXPTXT", 5, kWordMaximum},
    {"GilTXT", 5, kWordMaximum},
    {"STRTXT", 3, kByteMaximum},
    {"AGITXT", 3, kByteMaximum},
    {"DEFTXT", 3, kByteMaximum},
    {"EvadeTXT", 3, kByteMaximum},
    {"MagicPowerTXT", 3, kByteMaximum},
    {"NameIndexTXT", 3, kByteMaximum},
    {"UnknownTXT", 3, kByteMaximum},
    {"MPTXT", 5, std::nullopt},
    {"AttackIndexTXT", 3, std::nullopt},
}};

// The change rule: an empty text becomes "0", a number above the maximum
// becomes the maximum; anything else stays exactly as it is (leading zeros,
// fractions, and texts such as "." that read as their leading number).
QString corrected(const QString& text, int maximum);

// True when the attack index text reads above the last list entry.
bool isBeyondAttackList(const QString& text);

} // namespace zorvek::monsters::rules
