#include "monsters/MonsterDump.h"
#include "monsters/MonsterRecord.h"
#include "monsters/SpecialBits.h"
#include "support/MemoryImage.h"

#include <gtest/gtest.h>

using namespace zorvek;
using namespace zorvek::monsters;
using namespace zorvek::test;

namespace {

template <typename T>
struct Field {
    const char* name;
    int k;
    T (MonsterRecord::*read)() const;
    IoResult (MonsterRecord::*write)(T);  // null for the fields the editor never writes
};

// Each field of records 0, 1 and 255 reads its own bytes, low byte first,
// and a write changes exactly those bytes and nothing else in the image.
template <typename T>
void checkFields(std::initializer_list<Field<T>> fields)
{
    const RomFixture fixture = RomFixture::standard().fillRandom(3);
    const QByteArray& original = fixture.bytes();
    for (const Field<T>& f : fields) {
        for (int index : {0, 1, 255}) {
            const qint64 at = 0x100200 + 32 * index + f.k;
            MemoryImage image(fixture);
            MonsterRecord record(image.rom, index);
            const int stored = uint8_t(original[at]) | (sizeof(T) == 2 ? uint8_t(original[at + 1]) << 8 : 0);
            EXPECT_EQ((record.*f.read)(), stored) << f.name << " of record " << index;
            if (!f.write)
                continue;
            ASSERT_TRUE((record.*f.write)(static_cast<T>(0xA55A)).ok()) << f.name;
            const QByteArray written = QByteArray::fromHex("5aa5").left(sizeof(T));
            EXPECT_TRUE(image.bytes() == QByteArray(original).replace(at, sizeof(T), written))
                << f.name << " of record " << index;
        }
    }
}

} // namespace

TEST(MonsterRecordTest, EachFieldReadsAndWritesOnlyItsOwnBytesLowByteFirst)
{
    using R = MonsterRecord;
    checkFields<uint8_t>({
        {"agility", 0, &R::agility, &R::setAgility},           {"strength", 1, &R::strength, &R::setStrength},
        {"magic power", 2, &R::magicPower, &R::setMagicPower}, {"evade", 3, &R::evade, &R::setEvade},
        {"defense", 4, &R::defense, &R::setDefense},           {"unknown", 5, &R::unknown, nullptr},
        {"element immunity", 6, &R::elementImmunityFlags, &R::setElementImmunityFlags},
        {"status immunity", 7, &R::statusImmunityFlags, &R::setStatusImmunityFlags},
        {"attack animation", 16, &R::attackAnimation, &R::setAttackAnimation},
        {"absorb", 21, &R::absorbFlags, &R::setAbsorbFlags},   {"weakness", 23, &R::weaknessFlags, &R::setWeaknessFlags},
        {"special bits", 25, &R::specialBits, &R::setSpecialBits},
        {"special attributes", 28, &R::specialAttributeFlags, &R::setSpecialAttributeFlags},
        {"start status", 29, &R::startStatusFlags, &R::setStartStatusFlags},
        {"name index", 30, &R::nameIndex, nullptr},            {"level", 31, &R::level, &R::setLevel}});
    checkFields<uint16_t>({{"hit points", 8, &R::hitPoints, &R::setHitPoints},
                           {"magic points", 10, &R::magicPoints, nullptr},
                           {"experience", 12, &R::experience, &R::setExperience},
                           {"gil", 14, &R::gil, &R::setGil}});
    EXPECT_FALSE(R::isValidIndex(-1) || R::isValidIndex(256));
}

TEST(SpecialBitsTest, EveryByteShowsAndTogglesOnlyItsOwnBits)
{
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<uint8_t>(value);
        EXPECT_EQ(specialbits::boxesFor(byte),
                  (specialbits::Boxes{(value & 0x80) != 0, (value & 0x08) != 0, (value & 0x10) != 0}))
            << value;
        for (uint8_t bit : {specialbits::kHideHp, specialbits::kUnknown1, specialbits::kUnknown2}) {
            EXPECT_EQ(specialbits::withBit(byte, bit, true), byte | bit) << value;
            EXPECT_EQ(specialbits::withBit(byte, bit, false), byte & ~bit) << value;
        }
    }
}

TEST(MonsterDumpTextTest, ALongTextIsCutToTheFileSizeAndUnusableNamesAreRefused)
{
    // A long image path pushes the tail out instead of growing the file.
    dump::DumpFields f;
    f.romPath = "/" + QString(1100, 'p') + "/game.smc";
    EXPECT_EQ(dump::fileBytes(f), dump::text(f).toLatin1().left(1024));

    for (const QChar c : QStringLiteral("?/\\:*\"<>|\t\n"))
        EXPECT_FALSE(dump::isUsableFileName(QStringLiteral("a") + c + "b")) << int(c.unicode());
    EXPECT_FALSE(dump::isUsableFileName(""));
    for (const char* name : {"Cave Bat", "Mr. Mold (2)", "Gob's Kin", "(No name)"})
        EXPECT_TRUE(dump::isUsableFileName(QString::fromLatin1(name))) << name;
}
