// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/characters/CharacterSlot.h"

#include "core/characters/CharacterEntryRules.h"

#include <functional>
#include <initializer_list>

namespace zorvek::characters {

namespace {

QString decimal(int value) { return QString::number(value); }

// The four point words are shown capped; the file keeps its value until saved.
void loadHitAndMagicPoints(const CharacterRecord& record, CharacterView& view)
{
    view.currentHp = decimal(rules::shownPoints(record.currentHp()));
    view.maximumHp = decimal(rules::shownPoints(record.maximumHp()));
    view.currentMp = decimal(rules::shownPoints(record.currentMp()));
    view.maximumMp = decimal(rules::shownPoints(record.maximumMp()));
}

} // namespace

CharacterView loadCharacter(RomImage& rom, int slot)
{
    const CharacterRecord record(rom, slot);
    CharacterView view;
    view.actor = decimal(record.actor());
    view.level = decimal(record.level());
    view.experience = decimal(record.experience());
    view.strength = decimal(record.strength());
    view.agility = decimal(record.agility());
    view.vitality = decimal(record.vitality());
    view.magicPower = decimal(record.magicPower());
    view.rightHand = record.rightHand();
    view.leftHand = record.leftHand();
    view.head = record.head();
    view.body = record.body();
    view.arms = record.arms();
    view.equipBit = decimal(record.equipBit());
    for (int i = 0; i < CharacterRecord::kCommandCount; ++i)
        view.commands[i] = record.battleCommand(i);
    loadHitAndMagicPoints(record, view);
    return view;
}

IoResult saveCharacter(RomImage& rom, int slot, const CharacterValues& v)
{
    // All or nothing: an image ending inside the slot must not keep half a save.
    if (auto r = rom.checkHolds(CharacterRecord::start(slot), CharacterRecord::kMagicPower + 1); !r.ok())
        return r;
    CharacterRecord record(rom, slot);
    const std::initializer_list<std::function<IoResult()>> writes = {
        [&] { return record.setLevel(v.level); },
        [&] { return record.setCurrentHp(v.currentHp); },
        [&] { return record.setMaximumHp(v.maximumHp); },
        [&] { return record.setCurrentMp(v.currentMp); },
        [&] { return record.setMaximumMp(v.maximumMp); },
        [&] { return record.setStrength(v.strength); },
        [&] { return record.setAgility(v.agility); },
        [&] { return record.setVitality(v.vitality); },
        [&] { return record.setMagicPower(v.magicPower); },
        [&] { return record.setRightHand(v.rightHand); },
        [&] { return record.setLeftHand(v.leftHand); },
        [&] { return record.setHead(v.head); },
        [&] { return record.setBody(v.body); },
        [&] { return record.setArms(v.arms); },
        [&] { return record.setBattleCommand(0, v.commands[0]); },
        [&] { return record.setBattleCommand(1, v.commands[1]); },
        [&] { return record.setBattleCommand(2, v.commands[2]); },
        [&] { return record.setBattleCommand(3, v.commands[3]); },
    };
    for (const auto& write : writes) {
        if (IoResult result = write(); !result.ok())
            return result;
    }
    return IoResult::success();
}

} // namespace zorvek::characters
