// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/MonsterTable.h"

#include "core/header/EditorStamp.h"
#include "core/monsters/FlagBits.h"
#include "core/monsters/MonsterEntryRules.h"
#include "core/monsters/MonsterFlagLists.h"
#include "core/monsters/MonsterRecord.h"

#include <QSet>

namespace zorvek::table::monstertable {

using monsters::MonsterEntries;
using monsters::MonsterRecord;
namespace rules = monsters::rules;

namespace {

// Eight flag columns per flag byte, in the order of the window's lists.
struct FlagByte {
    uint8_t (MonsterRecord::*read)() const;
    uint8_t MonsterEntries::*entry;
};

constexpr FlagByte kFlagBytes[] = {
    {&MonsterRecord::weaknessFlags, &MonsterEntries::weakness},
    {&MonsterRecord::absorbFlags, &MonsterEntries::absorb},
    {&MonsterRecord::elementImmunityFlags, &MonsterEntries::elementImmunity},
    {&MonsterRecord::startStatusFlags, &MonsterEntries::startStatus},
    {&MonsterRecord::statusImmunityFlags, &MonsterEntries::statusImmunity},
    {&MonsterRecord::specialAttributeFlags, &MonsterEntries::specialAttributes},
};

QList<TableColumn> flagColumns()
{
    namespace lists = monsters::flaglists;
    QList<TableColumn> columns;
    for (const QString& text : lists::elementalEntries() + lists::statusEntries())
        columns.append({text, CellKind::Flag});
    // "Unknown" stands four times in the special attribute list (and is a
    // field of its own), so those entries carry their bit.
    const QStringList& attributes = lists::specialAttributeEntries();
    for (int bit = 0; bit < attributes.size(); ++bit) {
        const QString& text = attributes[bit];
        columns.append({attributes.count(text) > 1 ? QStringLiteral("%1 (attribute bit %2)").arg(text).arg(bit) : text,
                        CellKind::Flag});
    }
    return columns;
}

TableDefinition build()
{
    const auto number = [](const char* name, int maximum) {
        return TableColumn{QString::fromLatin1(name), CellKind::Number, 0, maximum};
    };
    const auto shown = [](const char* name) { return TableColumn{QString::fromLatin1(name), CellKind::ReadOnly}; };
    TableDefinition table{"monster",
                          monsters::kRecordCount,
                          {
                              {QStringLiteral("Record"), CellKind::Record},
                              {QStringLiteral("Name"), CellKind::Label},
                              shown("Name Index"),
                              number("Level", rules::kByteMaximum),
                              number("Hit Points", rules::kWordMaximum),
                              shown("Magic Points"),
                              number("Experience", rules::kWordMaximum),
                              number("Gil", rules::kWordMaximum),
                              number("Strength", rules::kByteMaximum),
                              number("Agility", rules::kByteMaximum),
                              number("Defense", rules::kByteMaximum),
                              number("Evade %", rules::kByteMaximum),
                              number("Magic Power", rules::kByteMaximum),
                              shown("Unknown"),
                              number("Attack Index", rules::kByteMaximum),
                              number("Special Bits", rules::kByteMaximum),
                          }};
    table.columns += flagColumns();
    const QStringList names = columnNames(table);
    Q_ASSERT(QSet<QString>(names.cbegin(), names.cend()).size() == names.size());
    return table;
}

// The words show capped, as the window's change rule shows them.
int shownWord(uint16_t stored) { return rules::corrected(QString::number(stored), rules::kWordMaximum).toInt(); }

} // namespace

const TableDefinition& definition()
{
    static const TableDefinition table = build();
    return table;
}

RecordCells cells(RomImage& rom, int index, const QString& name, CellValues values)
{
    const MonsterRecord record(rom, index);
    RecordCells row;
    row.values.resize(FirstFlag);
    std::vector<int>& v = row.values;
    v[Record] = index;
    row.label = name;
    v[NameIndex] = record.nameIndex();
    v[Level] = record.level();
    const auto word = [values](uint16_t stored) { return values == CellValues::Shown ? shownWord(stored) : stored; };
    v[HitPoints] = word(record.hitPoints());
    v[MagicPoints] = record.magicPoints();
    v[Experience] = word(record.experience());
    v[Gil] = word(record.gil());
    v[Strength] = record.strength();
    v[Agility] = record.agility();
    v[Defense] = record.defense();
    v[Evade] = record.evade();
    v[MagicPower] = record.magicPower();
    v[Unknown] = record.unknown();
    v[AttackIndex] = record.attackAnimation();
    v[SpecialBits] = record.specialBits();
    for (const FlagByte& flags : kFlagBytes)
        for (const bool on : monsters::flagbits::toEntries((record.*flags.read)()))
            v.push_back(on ? 1 : 0);
    return row;
}

MonsterEntries entries(const std::vector<int>& v)
{
    const auto text = [&](Column column) { return QString::number(v[column]); };
    MonsterEntries e;
    e.level = text(Level);
    e.hitPoints = text(HitPoints);
    e.experience = text(Experience);
    e.gil = text(Gil);
    e.strength = text(Strength);
    e.agility = text(Agility);
    e.defense = text(Defense);
    e.evade = text(Evade);
    e.magicPower = text(MagicPower);
    e.attackAnimation = text(AttackIndex);
    e.specialBits = text(SpecialBits);
    int column = FirstFlag;
    for (const FlagByte& flags : kFlagBytes) {
        monsters::flagbits::Entries bits{};
        for (bool& on : bits)
            on = v[column++] != 0;
        e.*flags.entry = monsters::flagbits::toByte(bits);
    }
    return e;
}

IoResult writeSaves(RomImage& rom, const std::vector<RecordSave>& saves, const QDateTime& now)
{
    if (saves.empty())
        return IoResult::success();
    for (const RecordSave& save : saves)
        if (IoResult r = rom.checkHolds(MonsterRecord(rom, save.record).offsetOf(0), monsters::kRecordSize); !r.ok())
            return r;
    if (IoResult r = SaveQuenHeader(rom, now); !r.ok())
        return r;
    for (const RecordSave& save : saves) {
        MonsterRecord record(rom, save.record);
        if (IoResult r = monsters::writeValues(record, save.values); !r.ok())
            return r;
    }
    return IoResult::success();
}

} // namespace zorvek::table::monstertable
