#include "cli/CharacterTable.h"

#include "characters/CharacterEntryRules.h"
#include "characters/CharacterSlot.h"
#include "data/GameData.h"

namespace zorvek::cli::charactertable {

namespace {

enum Column {
    Slot, Level, HitPoints, MaximumHitPoints, MagicPoints, MaximumMagicPoints, Experience, ActorBit,
    Strength, Agility, Vitality, MagicPower,
    RightHand, LeftHand, Head, Body, Arms, Command1, EquipBit = Command1 + CharacterRecord::kCommandCount
};

const ChoiceList kEquipment{"equipment list", &data::equipmentLabels, &characterrules::unlistedEquipmentLabel};
const ChoiceList kCommands{"battle command list", &data::battleCommandLabels,
                           &characterrules::unlistedCommandLabel};

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
    const int byteMaximum = characterrules::kAttributeCap;
    TableDefinition table{"character", CharacterRecord::kSlotCount,
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
    for (int i = 1; i <= CharacterRecord::kCommandCount; ++i)
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

RecordCells cells(RomImage& rom, int slot)
{
    const QList<TableColumn>& c = definition().columns;
    const CharacterView view = loadCharacter(rom, slot);
    RecordCells row;
    row.add(c[Slot], slot);
    row.add(c[Level], view.level.toInt());
    row.add(c[HitPoints], view.currentHp.toInt());
    row.add(c[MaximumHitPoints], view.maximumHp.toInt());
    row.add(c[MagicPoints], view.currentMp.toInt());
    row.add(c[MaximumMagicPoints], view.maximumMp.toInt());
    row.add(c[Experience], view.experience.toInt());
    row.add(c[ActorBit], view.actor.toInt());
    row.add(c[Strength], view.strength.toInt());
    row.add(c[Agility], view.agility.toInt());
    row.add(c[Vitality], view.vitality.toInt());
    row.add(c[MagicPower], view.magicPower.toInt());
    row.add(c[RightHand], view.rightHand);
    row.add(c[LeftHand], view.leftHand);
    row.add(c[Head], view.head);
    row.add(c[Body], view.body);
    row.add(c[Arms], view.arms);
    for (int i = 0; i < CharacterRecord::kCommandCount; ++i)
        row.add(c[Command1 + i], view.commands[i]);
    row.add(c[EquipBit], view.equipBit.toInt());
    return row;
}

CharacterEdits edits(const std::vector<int>& v)
{
    const auto text = [&](Column column) { return QString::number(v[column]); };
    CharacterEdits e;
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
    for (int i = 0; i < CharacterRecord::kCommandCount; ++i)
        e.commands[i] = v[Command1 + i];
    return e;
}

} // namespace zorvek::cli::charactertable
