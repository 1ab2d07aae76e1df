// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/MonsterColumnGroups.h"

#include "core/table/MonsterTable.h"

namespace zorvek::ui::monstercolumns {

namespace mt = table::monstertable;

namespace {

// In the order of the window's lists.
enum FlagByte { Weakness, Absorb, ElementImmunity, StartStatus, StatusImmunity, SpecialAttributes };

std::vector<int> flagColumns(std::initializer_list<FlagByte> flagBytes)
{
    std::vector<int> columns;
    for (const FlagByte flags : flagBytes)
        for (int bit = 0; bit < mt::kFlagsPerByte; ++bit)
            columns.push_back(mt::FirstFlag + flags * mt::kFlagsPerByte + bit);
    return columns;
}

} // namespace

const std::vector<ColumnGroup>& groups()
{
    static const std::vector<ColumnGroup> all{
        {"Statistics",
         "Statistics",
         {mt::NameIndex, mt::Level, mt::HitPoints, mt::MagicPoints, mt::Strength, mt::Agility, mt::Defense, mt::Evade,
          mt::MagicPower, mt::Unknown}},
        {"Rewards", "Rewards", {mt::Experience, mt::Gil}},
        {"Weakness", "Weakness", flagColumns({Weakness})},
        {"Absorb", "Absorb", flagColumns({Absorb})},
        {"Immunity", "Immunity", flagColumns({ElementImmunity, StatusImmunity})},
        {"Status", "Status", flagColumns({StartStatus})},
        {"SpecialAttributes", "Special Attributes", flagColumns({SpecialAttributes})},
        {"SpecialBits", "Special Bits", {mt::SpecialBits}},
        {"Attack", "Attack", {mt::AttackIndex}},
    };
    return all;
}

} // namespace zorvek::ui::monstercolumns
