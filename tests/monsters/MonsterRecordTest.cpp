#include "monsters/MonsterRecord.h"
#include "monsters/MonsterSave.h"
#include "support/RomFixture.h"
#include "QStringPrinter.h"

#include "support/MemoryImage.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace zorvek;
using namespace zorvek::monsters;
using zorvek::test::MemoryImage;
using zorvek::test::RomFixture;

namespace {

// Offsets where two images differ.
std::vector<qint64> differences(const QByteArray& a, const QByteArray& b)
{
    std::vector<qint64> out;
    for (qint64 i = 0; i < qMin(a.size(), b.size()); ++i)
        if (a[i] != b[i])
            out.push_back(i);
    return out;
}

constexpr qint64 kTable = 0x100200;

} // namespace

TEST(MonsterRecordTest, RecordsLieThirtyTwoBytesApartFromTheTableStart)
{
    MemoryImage image(RomFixture::standard());
    EXPECT_EQ(MonsterRecord(image.rom, 0).offsetOf(0), 0x100200);
    EXPECT_EQ(MonsterRecord(image.rom, 0).offsetOf(31), 0x10021F);
    EXPECT_EQ(MonsterRecord(image.rom, 1).offsetOf(0), 0x100220);
    EXPECT_EQ(MonsterRecord(image.rom, 255).offsetOf(0), 0x1021E0);
    EXPECT_EQ(MonsterRecord(image.rom, 255).offsetOf(31), 0x1021FF);
    EXPECT_EQ(MonsterRecord(image.rom, 0).recordBase(), 1);
    EXPECT_EQ(MonsterRecord(image.rom, 1).recordBase(), 33);
    EXPECT_EQ(MonsterRecord(image.rom, 255).recordBase(), 8161);
    EXPECT_FALSE(MonsterRecord::isValidIndex(-1));
    EXPECT_FALSE(MonsterRecord::isValidIndex(256));
}

TEST(MonsterRecordTest, ReadsEachFieldFromItsOwnBytesLowByteFirst)
{
    RomFixture fixture = RomFixture::standard();
    for (int k = 0; k < 32; ++k)
        fixture.monsterByte(255, k, static_cast<uint8_t>(0xA0 + k));
    fixture.monsterWord(255, 8, 0x1234);
    MemoryImage image(fixture);
    const MonsterRecord r(image.rom, 255);
    EXPECT_EQ(r.agility(), 0xA0);
    EXPECT_EQ(r.strength(), 0xA1);
    EXPECT_EQ(r.magicPower(), 0xA2);
    EXPECT_EQ(r.evade(), 0xA3);
    EXPECT_EQ(r.defense(), 0xA4);
    EXPECT_EQ(r.unknown(), 0xA5);
    EXPECT_EQ(r.elementImmunityFlags(), 0xA6);
    EXPECT_EQ(r.statusImmunityFlags(), 0xA7);
    EXPECT_EQ(r.hitPoints(), 4660);
    EXPECT_EQ(r.magicPoints(), 0xABAA);
    EXPECT_EQ(r.experience(), 0xADAC);
    EXPECT_EQ(r.gil(), 0xAFAE);
    EXPECT_EQ(r.attackAnimation(), 0xB0);
    EXPECT_EQ(r.absorbFlags(), 0xB5);
    EXPECT_EQ(r.weaknessFlags(), 0xB7);
    EXPECT_EQ(r.specialBits(), 0xB9);
    EXPECT_EQ(r.specialAttributeFlags(), 0xBC);
    EXPECT_EQ(r.startStatusFlags(), 0xBD);
    EXPECT_EQ(r.nameIndex(), 0xBE);
    EXPECT_EQ(r.level(), 0xBF);
}

TEST(MonsterRecordTest, EachWriterChangesExactlyItsOwnBytes)
{
    struct Case {
        const char* field;
        std::function<IoResult(MonsterRecord&)> write;
        std::vector<int> bytes;
    };
    const std::vector<Case> cases = {
        {"agility", [](MonsterRecord& r) { return r.setAgility(0x11); }, {0}},
        {"strength", [](MonsterRecord& r) { return r.setStrength(0x11); }, {1}},
        {"magic power", [](MonsterRecord& r) { return r.setMagicPower(0x11); }, {2}},
        {"evade", [](MonsterRecord& r) { return r.setEvade(0x11); }, {3}},
        {"defense", [](MonsterRecord& r) { return r.setDefense(0x11); }, {4}},
        {"element immunity", [](MonsterRecord& r) { return r.setElementImmunityFlags(0x11); }, {6}},
        {"status immunity", [](MonsterRecord& r) { return r.setStatusImmunityFlags(0x11); }, {7}},
        {"hit points", [](MonsterRecord& r) { return r.setHitPoints(0x1111); }, {8, 9}},
        {"experience", [](MonsterRecord& r) { return r.setExperience(0x1111); }, {12, 13}},
        {"gil", [](MonsterRecord& r) { return r.setGil(0x1111); }, {14, 15}},
        {"attack animation", [](MonsterRecord& r) { return r.setAttackAnimation(0x11); }, {16}},
        {"absorb", [](MonsterRecord& r) { return r.setAbsorbFlags(0x11); }, {21}},
        {"weakness", [](MonsterRecord& r) { return r.setWeaknessFlags(0x11); }, {23}},
        {"special bits", [](MonsterRecord& r) { return r.setSpecialBits(0x11); }, {25}},
        {"special attributes", [](MonsterRecord& r) { return r.setSpecialAttributeFlags(0x11); }, {28}},
        {"start status", [](MonsterRecord& r) { return r.setStartStatusFlags(0x11); }, {29}},
        {"level", [](MonsterRecord& r) { return r.setLevel(0x11); }, {31}},
    };
    const RomFixture fixture = RomFixture::standard().fillRandom(3);
    for (const Case& c : cases) {
        for (int index : {0, 1, 255}) {
            MemoryImage image(fixture);
            MonsterRecord record(image.rom, index);
            ASSERT_TRUE(c.write(record).ok()) << c.field;
            std::vector<qint64> expected;
            for (int k : c.bytes)
                if (fixture.bytes()[kTable + 32 * index + k] != 0x11)
                    expected.push_back(kTable + 32 * index + k);
            EXPECT_EQ(differences(fixture.bytes(), image.bytes()), expected) << c.field << " of record " << index;
            EXPECT_EQ(image.rom.writeCount(), 1u) << c.field;
        }
    }
}

TEST(MonsterRecordTest, WordsAreStoredLowByteFirst)
{
    MemoryImage image(RomFixture::standard().monsterWord(0, 10, 0xBEEF));
    MonsterRecord record(image.rom, 0);
    ASSERT_TRUE(record.setHitPoints(1000).ok());
    EXPECT_EQ(image.bytes().mid(0x100208, 4), QByteArray::fromHex("e803efbe"));
    ASSERT_TRUE(record.setGil(500).ok());
    EXPECT_EQ(image.bytes().mid(0x10020E, 3), QByteArray::fromHex("f40100"));
    EXPECT_EQ(record.gil(), 500);
    EXPECT_EQ(record.magicPoints(), 0xBEEF);
}

TEST(MonsterRecordTest, SpecialBitByteOfRecordZeroIsAtItsOwnOffset)
{
    MemoryImage image(RomFixture::standard().byteAt(0x100219, 0x98));
    EXPECT_EQ(MonsterRecord(image.rom, 0).specialBits(), 0x98);
}

// ---------------------------------------------------------------------------
// Checking and writing the window's values

namespace {

MonsterEntries plainEntries()
{
    MonsterEntries e;
    e.agility = "1";
    e.strength = "2";
    e.magicPower = "3";
    e.evade = "4";
    e.defense = "5";
    e.hitPoints = "1000";
    e.experience = "65500";
    e.gil = "500";
    e.attackAnimation = "207";
    e.specialBits = "152";
    e.level = "99";
    e.elementImmunity = 0x61;
    e.statusImmunity = 0x71;
    e.absorb = 0x80;
    e.weakness = 0x05;
    e.specialAttributes = 0xC1;
    e.startStatus = 0xD1;
    return e;
}

} // namespace

TEST(MonsterSaveTest, TextsCountAsTheirLeadingNumberRoundedHalfToEven)
{
    MonsterEntries e = plainEntries();
    e.strength = "12.5";
    e.defense = "13.5";
    e.agility = ".";
    e.evade = "1.2.3";
    e.level = "025";
    const CheckedEntries checked = checkEntries(e);
    ASSERT_TRUE(checked.values.has_value());
    EXPECT_EQ(checked.values->strength, 12);
    EXPECT_EQ(checked.values->defense, 14);
    EXPECT_EQ(checked.values->agility, 0);
    EXPECT_EQ(checked.values->evade, 1);
    EXPECT_EQ(checked.values->level, 25);
    EXPECT_EQ(checked.values->experience, 65500);
}

TEST(MonsterSaveTest, AValueItsFieldCannotHoldIsNamed)
{
    struct Case {
        QString MonsterEntries::*text;
        const char* value;
        const char* field;
        int maximum;
    };
    const Case cases[] = {
        {&MonsterEntries::attackAnimation, "256", "Attack Index", 255},
        {&MonsterEntries::attackAnimation, "255.5", "Attack Index", 255},
        {&MonsterEntries::hitPoints, "65536", "Hit Points", 65535},
        {&MonsterEntries::specialBits, "300", "Special Bits", 255},
        {&MonsterEntries::level, "99999999999999999999", "Level", 255},
    };
    for (const Case& c : cases) {
        MonsterEntries e = plainEntries();
        e.*c.text = QString::fromLatin1(c.value);
        const CheckedEntries checked = checkEntries(e);
        EXPECT_FALSE(checked.values.has_value()) << c.value;
        EXPECT_EQ(checked.field, c.field);
        EXPECT_EQ(checked.maximum, c.maximum);
        EXPECT_TRUE(refusalMessage(checked).contains(c.field));
        EXPECT_TRUE(refusalMessage(checked).contains(c.value));
    }
    MonsterEntries edge = plainEntries();
    edge.gil = "65535";
    edge.attackAnimation = "255";
    EXPECT_TRUE(checkEntries(edge).values.has_value());
}

TEST(MonsterSaveTest, WritesEveryWritableFieldAndNothingElse)
{
    const RomFixture fixture = RomFixture::standard().fillRandom(11);
    MemoryImage image(fixture);
    MonsterRecord record(image.rom, 7);
    const CheckedEntries checked = checkEntries(plainEntries());
    ASSERT_TRUE(writeValues(record, *checked.values).ok());

    QByteArray expected = fixture.bytes();
    const qint64 base = kTable + 32 * 7;
    const std::pair<int, uint8_t> written[] = {
        {0, 1},     {1, 2},     {2, 3},     {3, 4},     {4, 5},     {6, 0x61}, {7, 0x71},
        {8, 0xE8},  {9, 0x03},  {12, 0xDC}, {13, 0xFF}, {14, 0xF4}, {15, 0x01}, {16, 207},
        {21, 0x80}, {23, 0x05}, {25, 152},  {28, 0xC1}, {29, 0xD1}, {31, 99}};
    for (const auto& [k, v] : written)
        expected[base + k] = static_cast<char>(v);
    EXPECT_EQ(image.bytes(), expected);
}
