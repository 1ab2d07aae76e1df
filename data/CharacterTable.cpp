// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CharacterTable.h"

#include "core/characters/CharacterEntryRules.h"
#include "core/characters/CharacterSlot.h"
#include "data/GameData.h"

namespace zorvek::table::charactertable {

using namespace table;

namespace {

enum Column {
    Slot,
    Level,
    HitPoints,
    MaximumHitPoints,
    MagicPoints,
    MaximumMagicPoints,
    Experience,
    ActorBit,
    Strength,
    Agility,
    Vitality,
    MagicPower,
    RightHand,
    LeftHand,
    Head,
    Body,
    Arms,
    Command1,
    EquipBit = Command1 + characters::CharacterRecord::kCommandCount
};

const ChoiceList kEquipment{"equipment list", &data::equipmentLabels, &characters::rules::unlistedEquipmentLabel};
const ChoiceList kCommands{"battle command list", &data::battleCommandLabels, &characters::rules::unlistedCommandLabel};

// The most digits the window lets the user type into each point box.
constexpr int kTypedHitPoints = 9999;
constexpr int kTypedMagicPoints = 999;

TableDefinition build()
{
    const auto number = [](const char* name, int maximum) {
        return TableColumn{QString::fromLatin1(name), CellKind::Number, 0, maximum};
    };
    const auto shown = [](const char* name) { return TableColumn{QString::fromLatin1(name), CellKind::ReadOnly}; };
    const auto list = [](const QString& name, const ChoiceList& choices) {
        return TableColumn{name, CellKind::Choice, 0, 0, &choices};
    };
    const int byteMaximum = characters::rules::kAttributeCap;
    TableDefinition table{"character",
                          characters::CharacterRecord::kSlotCount,
                          {
                              {QStringLiteral("Slot"), CellKind::Record},
                              number("Level", byteMaximum),
                              number("Hit Points", kTypedHitPoints),
                              number("Maximum Hit Points", kTypedHitPoints),
                              number("Magic Points", kTypedMagicPoints),
                              number("Maximum Magic Points", kTypedMagicPoints),
                              shown("Experience"),
                              shown("Actor Bit"),
                              number("Strength", byteMaximum),
                              number("Agility", byteMaximum),
                              number("Vitality", byteMaximum),
                              number("Magic Power", byteMaximum),
                              list(QStringLiteral("Right Hand"), kEquipment),
                              list(QStringLiteral("Left Hand"), kEquipment),
                              list(QStringLiteral("Head"), kEquipment),
                              list(QStringLiteral("Body"), kEquipment),
                              list(QStringLiteral("Arms"), kEquipment),
                          }};
    for (int i = 1; i <= characters::CharacterRecord::kCommandCount; ++i)
        table.columns.append(list(QStringLiteral("Command %1").arg(i), kCommands));
    table.columns.append(shown("Equip Bit"));
    return table;
}

} // namespace

const TableDefinition& definition()
{
    static const TableDefinition table = build();
    return table;
}

RecordCells cells(RomImage& rom, int slot, CellValues values)
{
    const characters::CharacterView view = characters::loadCharacter(rom, slot);
    RecordCells row;
    row.values = {slot,
                  view.level.toInt(),
                  view.currentHp.toInt(),
                  view.maximumHp.toInt(),
                  view.currentMp.toInt(),
                  view.maximumMp.toInt(),
                  view.experience.toInt(),
                  view.actor.toInt(),
                  view.strength.toInt(),
                  view.agility.toInt(),
                  view.vitality.toInt(),
                  view.magicPower.toInt(),
                  view.rightHand,
                  view.leftHand,
                  view.head,
                  view.body,
                  view.arms};
    for (const uint8_t command : view.commands)
        row.values.push_back(command);
    row.values.push_back(view.equipBit.toInt());
    if (values == CellValues::Stored) {
        const characters::CharacterRecord record(rom, slot);
        row.values[HitPoints] = record.currentHp();
        row.values[MaximumHitPoints] = record.maximumHp();
        row.values[MagicPoints] = record.currentMp();
        row.values[MaximumMagicPoints] = record.maximumMp();
    }
    Q_ASSERT(row.values.size() == static_cast<size_t>(definition().columns.size()));
    return row;
}

characters::CharacterEdits edits(const std::vector<int>& v)
{
    const auto text = [&](Column column) { return QString::number(v[column]); };
    characters::CharacterEdits e;
    e.level = text(Level);
    e.currentHp = text(HitPoints);
    e.maximumHp = text(MaximumHitPoints);
    e.currentMp = text(MagicPoints);
    e.maximumMp = text(MaximumMagicPoints);
    e.strength = text(Strength);
    e.agility = text(Agility);
    e.vitality = text(Vitality);
    e.magicPower = text(MagicPower);
    e.rightHand = v[RightHand];
    e.leftHand = v[LeftHand];
    e.head = v[Head];
    e.body = v[Body];
    e.arms = v[Arms];
    for (int i = 0; i < characters::CharacterRecord::kCommandCount; ++i)
        e.commands[i] = v[Command1 + i];
    return e;
}

} // namespace zorvek::table::charactertable
