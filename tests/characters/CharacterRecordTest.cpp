#include "characters/CharacterRecord.h"
#include "characters/CharacterSlot.h"
#include "support/MemoryImage.h"
#include "support/RomFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zorvek;
using namespace zorvek::test;

namespace {

using R = CharacterRecord;

template <auto set> IoResult put(R& r, int v) { return (r.*set)(v); }
template <int i> int command(const R& r) { return r.battleCommand(i); }
template <int i> IoResult putCommand(R& r, int v) { return r.setBattleCommand(i, v); }

// Absolute file offsets of every field in the four slots, written out in
// full rather than computed, so a wrong base, stride or field offset shows.
struct FieldRow {
    const char* name;
    int width;
    qint64 offsets[4];
    std::function<int(const R&)> read;
    // Empty for fields the editor must never write.
    std::function<IoResult(R&, int)> write;
};

const FieldRow kFields[] = {
    {"Actor", 1, {0x117200, 0x117250, 0x1172A0, 0x1172F0}, &R::actor, {}},
    {"Level", 1, {0x117202, 0x117252, 0x1172A2, 0x1172F2}, &R::level, put<&R::setLevel>},
    {"EXP", 2, {0x117203, 0x117253, 0x1172A3, 0x1172F3}, &R::experience, {}},
    {"CHP", 2, {0x117206, 0x117256, 0x1172A6, 0x1172F6}, &R::currentHp, put<&R::setCurrentHp>},
    {"MHP", 2, {0x117208, 0x117258, 0x1172A8, 0x1172F8}, &R::maximumHp, put<&R::setMaximumHp>},
    {"CMP", 2, {0x11720A, 0x11725A, 0x1172AA, 0x1172FA}, &R::currentMp, put<&R::setCurrentMp>},
    {"MMP", 2, {0x11720C, 0x11725C, 0x1172AC, 0x1172FC}, &R::maximumMp, put<&R::setMaximumMp>},
    {"Head", 1, {0x11720E, 0x11725E, 0x1172AE, 0x1172FE}, &R::head, put<&R::setHead>},
    {"Body", 1, {0x11720F, 0x11725F, 0x1172AF, 0x1172FF}, &R::body, put<&R::setBody>},
    {"Arms", 1, {0x117210, 0x117260, 0x1172B0, 0x117300}, &R::arms, put<&R::setArms>},
    {"RH", 1, {0x117213, 0x117263, 0x1172B3, 0x117303}, &R::rightHand, put<&R::setRightHand>},
    {"LH", 1, {0x117214, 0x117264, 0x1172B4, 0x117304}, &R::leftHand, put<&R::setLeftHand>},
    {"EquipBit", 1, {0x117215, 0x117265, 0x1172B5, 0x117305}, &R::equipBit, {}},
    {"BattleCommand1", 1, {0x117216, 0x117266, 0x1172B6, 0x117306}, command<0>, putCommand<0>},
    {"BattleCommand2", 1, {0x117217, 0x117267, 0x1172B7, 0x117307}, command<1>, putCommand<1>},
    {"BattleCommand3", 1, {0x117218, 0x117268, 0x1172B8, 0x117308}, command<2>, putCommand<2>},
    {"BattleCommand4", 1, {0x117219, 0x117269, 0x1172B9, 0x117309}, command<3>, putCommand<3>},
    {"STR", 1, {0x117224, 0x117274, 0x1172C4, 0x117314}, &R::strength, put<&R::setStrength>},
    {"AGI", 1, {0x117225, 0x117275, 0x1172C5, 0x117315}, &R::agility, put<&R::setAgility>},
    {"VIT", 1, {0x117226, 0x117276, 0x1172C6, 0x117316}, &R::vitality, put<&R::setVitality>},
    {"MagicPower", 1, {0x117227, 0x117277, 0x1172C7, 0x117317}, &R::magicPower, put<&R::setMagicPower>},
};

TEST(CharacterRecordTest, EveryFieldOfEverySlotSitsAtItsPositionWithItsWidth)
{
    const QByteArray original = RomFixture::standard().fillRandom(7).bytes();
    for (const FieldRow& row : kFields) {
        for (int slot = 0; slot < 4; ++slot) {
            SCOPED_TRACE(std::string(row.name) + " slot " + std::to_string(slot));
            // Unlike any neighbour; words negative, so they must read as signed.
            const int probe = row.width == 1 ? 0xA0 + slot : -0x1234 - slot;
            QByteArray planted = original;
            for (int i = 0; i < row.width; ++i)
                planted[static_cast<int>(row.offsets[slot] + i)] = static_cast<char>((probe >> (8 * i)) & 0xFF);

            MemoryImage image(planted);
            EXPECT_EQ(row.read(R(image.rom, slot)), probe);
            EXPECT_EQ(image.rom.readCount(), 1u) << "one access per field";
            if (!row.write)
                continue;
            MemoryImage target(original);
            R written(target.rom, slot);
            ASSERT_TRUE(row.write(written, probe).ok());
            EXPECT_EQ(target.rom.writeCount(), 1u);
            EXPECT_EQ(target.bytes(), planted) << "the write touched more or other bytes";
        }
    }
}

TEST(CharacterRecordTest, SaveIntoASlotTheImageEndsInsideWritesNothing)
{
    // Ends after slot 3's battle commands, before its attributes.
    MemoryImage image(RomFixture(0x1172F0 + 0x20));
    EXPECT_TRUE(saveCharacter(image.rom, 3, CharacterValues{}).error.contains("too short"));
    EXPECT_EQ(image.rom.writeCount(), 0u);
}

} // namespace
