// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/MonsterFields.h"

#include "core/monsters/MonsterFlagLists.h"
#include "core/monsters/MonsterRecord.h"

#include <algorithm>

namespace zorvek::monsters::fields {

namespace {

using E = MonsterEntries;
namespace lists = flaglists;

constexpr Field number(int offset, Kind kind, const char* control, const char* label, QString E::*text,
                       const char* dumpLabel = nullptr, int dumpLine = -1)
{
    return {offset, kind, control, label, 0, text, nullptr, dumpLabel, dumpLine};
}

constexpr Field flagByte(int offset, const char* list, int first, uint8_t E::*flags)
{
    return {offset, Kind::Flags, list, nullptr, first, nullptr, flags, nullptr, -1};
}

// Save's order is the one the editor has always written in.
const std::array<Field, kFieldCount> kFields{{
    number(field::kExperience, Kind::Word, "EXPTXT", "Experience", &E::experience, "EXP", 2),
    number(field::kGil, Kind::Word, "GilTXT", "Gil", &E::gil, "Gil", 3),
    number(field::kHitPoints, Kind::Word, "HPTXT", "Hit Points", &E::hitPoints, "HP", 4),
    number(field::kAgility, Kind::Byte, "AGITXT", "Agility", &E::agility, "Speed", 6),
    number(field::kStrength, Kind::Byte, "STRTXT", "Strength", &E::strength, "Strength", 5),
    number(field::kMagicPower, Kind::Byte, "MagicPowerTXT", "Magic Power", &E::magicPower, "Magic Power", 9),
    number(field::kEvade, Kind::Byte, "EvadeTXT", "Evade %", &E::evade, "Evade%", 8),
    number(field::kDefense, Kind::Byte, "DEFTXT", "Defense", &E::defense, "Defense", 7),
    flagByte(field::kElementImmunity, "WeakLST", lists::kElementImmunityFirst, &E::elementImmunity),
    flagByte(field::kStatusImmunity, "StatusConditionsLST", lists::kStatusImmunityFirst, &E::statusImmunity),
    flagByte(field::kAbsorb, "WeakLST", lists::kAbsorbFirst, &E::absorb),
    flagByte(field::kWeakness, "WeakLST", lists::kWeaknessFirst, &E::weakness),
    number(field::kAttackAnimation, Kind::Byte, "AttackIndexTXT", "Attack Index", &E::attackAnimation,
           "Attack Animation Index", 11),
    number(field::kSpecialBits, Kind::Byte, "SpBitLBL", "Special Bits", &E::specialBits),
    flagByte(field::kSpecialAttributes, "SpAttribLST", lists::kSpecialAttributesFirst, &E::specialAttributes),
    flagByte(field::kStartStatus, "StatusConditionsLST", lists::kStartStatusFirst, &E::startStatus),
    number(field::kLevel, Kind::Byte, "LevelTXT", "Level", &E::level, "Level", 0),
    number(field::kUnknown, Kind::Byte, "UnknownTXT", "Unknown", nullptr, "Unknown", 10),
    number(field::kMagicPoints, Kind::Word, "MPTXT", "Magic Points", nullptr),
    number(field::kNameIndex, Kind::Byte, "NameIndexTXT", "Name Index", nullptr, "Name Index", 1),
}};

} // namespace

const std::array<Field, kFieldCount>& all() { return kFields; }

int indexOf(const Field& field) { return static_cast<int>(&field - kFields.data()); }

int capacity(const Field& field) { return field.kind == Kind::Word ? 0xFFFF : 0xFF; }

std::vector<const Field*> dumped()
{
    std::vector<const Field*> lines;
    for (const Field& f : kFields)
        if (f.dumpLabel)
            lines.push_back(&f);
    std::sort(lines.begin(), lines.end(), [](const Field* a, const Field* b) { return a->dumpLine < b->dumpLine; });
    return lines;
}

} // namespace zorvek::monsters::fields
