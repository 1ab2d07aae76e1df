#include "characters/CharacterEntryRules.h"
#include "characters/CharacterRecord.h"
#include "characters/CharacterSaveCheck.h"
#include "characters/CharacterSlot.h"
#include "support/MemoryImage.h"
#include "support/RomFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

using namespace zorvek;
using namespace zorvek::test;

namespace {

// Absolute file offsets of every field in the four slots, written out in
// full rather than computed, so a wrong base, stride or field offset shows.
struct FieldRow {
    const char* name;
    int width;
    qint64 offsets[4];
    std::function<int(const CharacterRecord&)> read;
    // Empty for fields the editor must never write.
    std::function<IoResult(CharacterRecord&, int)> write;
};

const std::vector<FieldRow>& fieldTable()
{
    using R = CharacterRecord;
    static const std::vector<FieldRow> rows = {
        {"Actor", 1, {0x117200, 0x117250, 0x1172A0, 0x1172F0}, &R::actor, {}},
        {"Level", 1, {0x117202, 0x117252, 0x1172A2, 0x1172F2}, &R::level,
         [](R& r, int v) { return r.setLevel(v); }},
        {"EXP", 2, {0x117203, 0x117253, 0x1172A3, 0x1172F3}, &R::experience, {}},
        {"CHP", 2, {0x117206, 0x117256, 0x1172A6, 0x1172F6}, &R::currentHp,
         [](R& r, int v) { return r.setCurrentHp(v); }},
        {"MHP", 2, {0x117208, 0x117258, 0x1172A8, 0x1172F8}, &R::maximumHp,
         [](R& r, int v) { return r.setMaximumHp(v); }},
        {"CMP", 2, {0x11720A, 0x11725A, 0x1172AA, 0x1172FA}, &R::currentMp,
         [](R& r, int v) { return r.setCurrentMp(v); }},
        {"MMP", 2, {0x11720C, 0x11725C, 0x1172AC, 0x1172FC}, &R::maximumMp,
         [](R& r, int v) { return r.setMaximumMp(v); }},
        {"Head", 1, {0x11720E, 0x11725E, 0x1172AE, 0x1172FE}, &R::head, [](R& r, int v) { return r.setHead(v); }},
        {"Body", 1, {0x11720F, 0x11725F, 0x1172AF, 0x1172FF}, &R::body, [](R& r, int v) { return r.setBody(v); }},
        {"Arms", 1, {0x117210, 0x117260, 0x1172B0, 0x117300}, &R::arms, [](R& r, int v) { return r.setArms(v); }},
        {"RH", 1, {0x117213, 0x117263, 0x1172B3, 0x117303}, &R::rightHand,
         [](R& r, int v) { return r.setRightHand(v); }},
        {"LH", 1, {0x117214, 0x117264, 0x1172B4, 0x117304}, &R::leftHand,
         [](R& r, int v) { return r.setLeftHand(v); }},
        {"EquipBit", 1, {0x117215, 0x117265, 0x1172B5, 0x117305}, &R::equipBit, {}},
        {"BattleCommand1", 1, {0x117216, 0x117266, 0x1172B6, 0x117306},
         [](const R& r) { return r.battleCommand(0); }, [](R& r, int v) { return r.setBattleCommand(0, v); }},
        {"BattleCommand2", 1, {0x117217, 0x117267, 0x1172B7, 0x117307},
         [](const R& r) { return r.battleCommand(1); }, [](R& r, int v) { return r.setBattleCommand(1, v); }},
        {"BattleCommand3", 1, {0x117218, 0x117268, 0x1172B8, 0x117308},
         [](const R& r) { return r.battleCommand(2); }, [](R& r, int v) { return r.setBattleCommand(2, v); }},
        {"BattleCommand4", 1, {0x117219, 0x117269, 0x1172B9, 0x117309},
         [](const R& r) { return r.battleCommand(3); }, [](R& r, int v) { return r.setBattleCommand(3, v); }},
        {"STR", 1, {0x117224, 0x117274, 0x1172C4, 0x117314}, &R::strength,
         [](R& r, int v) { return r.setStrength(v); }},
        {"AGI", 1, {0x117225, 0x117275, 0x1172C5, 0x117315}, &R::agility,
         [](R& r, int v) { return r.setAgility(v); }},
        {"VIT", 1, {0x117226, 0x117276, 0x1172C6, 0x117316}, &R::vitality,
         [](R& r, int v) { return r.setVitality(v); }},
        {"MagicPower", 1, {0x117227, 0x117277, 0x1172C7, 0x117317}, &R::magicPower,
         [](R& r, int v) { return r.setMagicPower(v); }},
    };
    return rows;
}

// A value whose bytes differ from any neighbour, negative for words.
int probeFor(const FieldRow& row, int slot)
{
    return row.width == 1 ? 0xA0 + slot : -0x1234 - slot;
}

QByteArray withValue(QByteArray bytes, qint64 offset, int width, int value)
{
    bytes[static_cast<int>(offset)] = static_cast<char>(value & 0xFF);
    if (width == 2)
        bytes[static_cast<int>(offset + 1)] = static_cast<char>(value >> 8 & 0xFF);
    return bytes;
}

TEST(CharacterRecordTest, EveryFieldOfEverySlotSitsAtItsPositionWithItsWidth)
{
    const QByteArray original = RomFixture::standard().fillRandom(7).bytes();
    for (const FieldRow& row : fieldTable()) {
        for (int slot = 0; slot < 4; ++slot) {
            SCOPED_TRACE(std::string(row.name) + " slot " + std::to_string(slot));
            const int probe = probeFor(row, slot);
            const QByteArray planted = withValue(original, row.offsets[slot], row.width, probe);

            MemoryImage image(planted);
            CharacterRecord record(image.rom, slot);
            EXPECT_EQ(row.read(record), probe);
            EXPECT_EQ(image.rom.readCount(), 1u) << "one access per field";

            if (!row.write)
                continue;
            MemoryImage target(original);
            CharacterRecord written(target.rom, slot);
            ASSERT_TRUE(row.write(written, probe).ok());
            EXPECT_EQ(target.rom.writeCount(), 1u);
            EXPECT_EQ(target.bytes(), planted) << "the write touched more or other bytes";
        }
    }
}

TEST(CharacterLoadTest, ShowsSignedNumbersAndCapsPointsAtFourDigits)
{
    MemoryImage image(RomFixture::standard()
                          .characterByte(3, 0, 200)
                          .characterByte(3, 2, 150)
                          .characterWord(3, 3, 0xFFFF)
                          .characterWord(3, 6, 0x8000)
                          .characterWord(3, 8, 0x2710)
                          .characterWord(3, 10, 9999)
                          .characterWord(3, 12, 0xFFFB)
                          .characterByte(3, 21, 255)
                          .characterByte(3, 22, 0xA5)
                          .bytes());
    const CharacterView view = loadCharacter(image.rom, 3);
    EXPECT_EQ(view.actor, "200");
    EXPECT_EQ(view.level, "150");
    EXPECT_EQ(view.experience, "-1");
    EXPECT_EQ(view.currentHp, "-32768");
    EXPECT_EQ(view.maximumHp, "9999");
    EXPECT_EQ(view.currentMp, "9999");
    EXPECT_EQ(view.maximumMp, "-5");
    EXPECT_EQ(view.equipBit, "255");
    EXPECT_EQ(view.commands[0], 0xA5);
    // The cap is only what is shown: loading writes nothing.
    EXPECT_EQ(image.rom.writeCount(), 0u);
}

TEST(CharacterSaveTest, WritesOnlyTheEditableFieldsOfItsSlot)
{
    const QByteArray original = RomFixture::standard().fillRandom(11).bytes();
    MemoryImage image(original);
    CharacterValues v;
    v.level = 42;
    v.currentHp = -2;
    v.maximumHp = 9999;
    v.currentMp = 300;
    v.maximumMp = 0;
    v.strength = 255;
    v.agility = 1;
    v.vitality = 2;
    v.magicPower = 3;
    v.rightHand = 0x81;
    v.leftHand = 0xFF;
    v.head = 0x10;
    v.body = 0x11;
    v.arms = 0x12;
    v.commands = {0x01, 0x9F, 0xA5, 0x00};
    ASSERT_TRUE(saveCharacter(image.rom, 2, v).ok());

    QByteArray expected = original;
    const qint64 s = 0x1172A0;
    for (const auto& [k, width, value] : std::initializer_list<std::tuple<int, int, int>>{
             {2, 1, 42}, {6, 2, -2}, {8, 2, 9999}, {10, 2, 300}, {12, 2, 0}, {36, 1, 255}, {37, 1, 1},
             {38, 1, 2}, {39, 1, 3}, {19, 1, 0x81}, {20, 1, 0xFF}, {14, 1, 0x10}, {15, 1, 0x11},
             {16, 1, 0x12}, {22, 1, 0x01}, {23, 1, 0x9F}, {24, 1, 0xA5}, {25, 1, 0x00}})
        expected = withValue(expected, s + k, width, value);
    EXPECT_EQ(image.bytes(), expected);
    EXPECT_EQ(image.rom.writeCount(), 18u);
}

TEST(CharacterSaveTest, StopsAtTheFirstFailedWriteAndReportsIt)
{
    const QByteArray original = RomFixture::standard().bytes();
    MemoryImage image(original, 3);
    CharacterValues v;
    v.level = 9;
    v.currentHp = 100;
    v.maximumHp = 200;
    v.currentMp = 77;
    const IoResult result = saveCharacter(image.rom, 0, v);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, "Disk full");
    EXPECT_EQ(image.rom.writeCount(), 4u) << "nothing is tried after the failure";
    EXPECT_EQ(image.bytes()[0x117202], 9);
    EXPECT_EQ(image.bytes()[0x11720A], 0) << "fields after the failure stay as they were";
}

CharacterEdits validEdits()
{
    CharacterEdits e;
    e.level = e.currentHp = e.maximumHp = e.currentMp = e.maximumMp = QStringLiteral("1");
    e.strength = e.agility = e.vitality = e.magicPower = QStringLiteral("1");
    e.rightHand = e.leftHand = e.head = e.body = e.arms = 0;
    e.commands = {0, 0, 0, 0};
    return e;
}

TEST(CharacterSaveCheckTest, ReadsLeadingNumbersRoundingHalvesToEven)
{
    CharacterEdits e = validEdits();
    e.strength = "7.5";
    e.agility = "6.5";
    e.vitality = "1.2.3";
    e.magicPower = ".";
    e.level = "12.5";
    e.currentHp = "-32768";
    e.maximumHp = "32767";
    e.currentMp = "13.5";
    e.maximumMp = "-0.4";
    e.commands = {0xA5, 0x9F, 0xFF, 0};
    const CheckedCharacter checked = checkCharacter(e);
    ASSERT_TRUE(checked.values) << checked.problem.toStdString();
    EXPECT_EQ(checked.values->strength, 8);
    EXPECT_EQ(checked.values->agility, 6);
    EXPECT_EQ(checked.values->vitality, 1);
    EXPECT_EQ(checked.values->magicPower, 0);
    EXPECT_EQ(checked.values->level, 12);
    EXPECT_EQ(checked.values->currentHp, -32768);
    EXPECT_EQ(checked.values->maximumHp, 32767);
    EXPECT_EQ(checked.values->currentMp, 14);
    EXPECT_EQ(checked.values->maximumMp, 0);
    EXPECT_EQ(checked.values->commands[0], 0xA5);
    EXPECT_EQ(checked.values->commands[2], 0xFF);
}

TEST(CharacterSaveCheckTest, RefusesAValueItsFieldCannotHoldAndNamesTheField)
{
    struct Case {
        std::function<void(CharacterEdits&)> edit;
        const char* field;
    };
    const std::vector<Case> cases = {
        {[](CharacterEdits& e) { e.level = "256"; }, "Level"},
        {[](CharacterEdits& e) { e.level = "255.5"; }, "Level"},  // rounds to 256
        {[](CharacterEdits& e) { e.strength = "-1"; }, "Strength"},
        {[](CharacterEdits& e) { e.currentHp = "32768"; }, "Current Hit Points"},
        {[](CharacterEdits& e) { e.maximumHp = "-32769"; }, "Maximum Hit Points"},
        {[](CharacterEdits& e) { e.maximumMp = "99999999999999999999"; }, "Maximum Magic Points"},
        {[](CharacterEdits& e) { e.head.reset(); }, "Head"},
        {[](CharacterEdits& e) { e.commands[3] = -1; }, "Command 4"},
        {[](CharacterEdits& e) { e.arms = 256; }, "Arms"},
    };
    for (const Case& c : cases) {
        CharacterEdits e = validEdits();
        c.edit(e);
        const CheckedCharacter checked = checkCharacter(e);
        EXPECT_FALSE(checked.values) << c.field;
        EXPECT_TRUE(checked.problem.startsWith(QLatin1String(c.field))) << checked.problem.toStdString();
        EXPECT_TRUE(checked.problem.contains("Nothing has been saved.")) << checked.problem.toStdString();
    }
}

TEST(CharacterEntryRulesTest, EmptyBecomesZeroAndOnlyAttributesCapAt255)
{
    using characterrules::Cap;
    using characterrules::correctedText;
    EXPECT_EQ(correctedText("", Cap::None), "0");
    EXPECT_EQ(correctedText("", Cap::Attribute), "0");
    EXPECT_EQ(correctedText("300", Cap::Attribute), "255");
    EXPECT_EQ(correctedText("255.5", Cap::Attribute), "255");
    EXPECT_FALSE(correctedText("255", Cap::Attribute));
    EXPECT_FALSE(correctedText("300", Cap::None));
    EXPECT_FALSE(correctedText(".", Cap::Attribute));
    EXPECT_FALSE(correctedText("1..", Cap::Attribute));

    EXPECT_EQ(characterrules::shownPoints(10000), 9999);
    EXPECT_EQ(characterrules::shownPoints(9999), 9999);
    EXPECT_EQ(characterrules::shownPoints(-32768), -32768);
    EXPECT_EQ(characterrules::unlistedCommandLabel(0xA5), "Unlisted command (0xA5)");
    EXPECT_EQ(characterrules::unlistedEquipmentLabel(0x0B), "Unlisted item (0x0B)");
}

} // namespace
