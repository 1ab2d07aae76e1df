// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/MonsterSave.h"

#include "core/text/NumberText.h"
#include "core/monsters/MonsterRecord.h"

#include <functional>
#include <initializer_list>

namespace zorvek::monsters {

namespace {

constexpr int kByteLimit = 0xFF;
constexpr int kWordLimit = 0xFFFF;

struct NumberField {
    const char* label;
    const QString* text;
    int limit;
    std::function<void(MonsterValues&, int)> store;
};

} // namespace

CheckedEntries checkEntries(const MonsterEntries& e)
{
    using V = MonsterValues;
    const std::initializer_list<NumberField> fields = {
        {"Experience", &e.experience, kWordLimit, [](V& v, int n) { v.experience = static_cast<uint16_t>(n); }},
        {"Gil", &e.gil, kWordLimit, [](V& v, int n) { v.gil = static_cast<uint16_t>(n); }},
        {"Hit Points", &e.hitPoints, kWordLimit, [](V& v, int n) { v.hitPoints = static_cast<uint16_t>(n); }},
        {"Agility", &e.agility, kByteLimit, [](V& v, int n) { v.agility = static_cast<uint8_t>(n); }},
        {"Strength", &e.strength, kByteLimit, [](V& v, int n) { v.strength = static_cast<uint8_t>(n); }},
        {"Magic Power", &e.magicPower, kByteLimit, [](V& v, int n) { v.magicPower = static_cast<uint8_t>(n); }},
        {"Evade %", &e.evade, kByteLimit, [](V& v, int n) { v.evade = static_cast<uint8_t>(n); }},
        {"Defense", &e.defense, kByteLimit, [](V& v, int n) { v.defense = static_cast<uint8_t>(n); }},
        {"Attack Index", &e.attackAnimation, kByteLimit,
         [](V& v, int n) { v.attackAnimation = static_cast<uint8_t>(n); }},
        {"Special Bits", &e.specialBits, kByteLimit, [](V& v, int n) { v.specialBits = static_cast<uint8_t>(n); }},
        {"Level", &e.level, kByteLimit, [](V& v, int n) { v.level = static_cast<uint8_t>(n); }},
    };

    MonsterValues values;
    for (const NumberField& f : fields) {
        const std::optional<int64_t> n = numbertext::toFieldValue(*f.text, {0, f.limit});
        if (!n)
            return {std::nullopt, QString::fromLatin1(f.label), *f.text, f.limit};
        f.store(values, static_cast<int>(*n));
    }
    values.elementImmunity = e.elementImmunity;
    values.statusImmunity = e.statusImmunity;
    values.absorb = e.absorb;
    values.weakness = e.weakness;
    values.specialAttributes = e.specialAttributes;
    values.startStatus = e.startStatus;
    return {values, {}, {}, 0};
}

QString refusalMessage(const CheckedEntries& refused)
{
    return QStringLiteral("%1 cannot hold \"%2\": it takes a whole number from 0 to %3.\n"
                          "Nothing has been saved; your edits are still in the window.")
        .arg(refused.field, refused.text)
        .arg(refused.maximum);
}

IoResult writeValues(MonsterRecord& record, const MonsterValues& v)
{
    const std::initializer_list<std::function<IoResult()>> writes = {
        [&] { return record.setExperience(v.experience); },
        [&] { return record.setGil(v.gil); },
        [&] { return record.setHitPoints(v.hitPoints); },
        [&] { return record.setAgility(v.agility); },
        [&] { return record.setStrength(v.strength); },
        [&] { return record.setMagicPower(v.magicPower); },
        [&] { return record.setEvade(v.evade); },
        [&] { return record.setDefense(v.defense); },
        [&] { return record.setElementImmunityFlags(v.elementImmunity); },
        [&] { return record.setStatusImmunityFlags(v.statusImmunity); },
        [&] { return record.setAbsorbFlags(v.absorb); },
        [&] { return record.setWeaknessFlags(v.weakness); },
        [&] { return record.setAttackAnimation(v.attackAnimation); },
        [&] { return record.setSpecialBits(v.specialBits); },
        [&] { return record.setSpecialAttributeFlags(v.specialAttributes); },
        [&] { return record.setStartStatusFlags(v.startStatus); },
        [&] { return record.setLevel(v.level); },
    };
    for (const auto& write : writes) {
        const IoResult result = write();
        if (!result.ok())
            return result;
    }
    return IoResult::success();
}

} // namespace zorvek::monsters
