#include "main/RomChecksum.h"
#include "support/MemoryImage.h"

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::MemoryImage;
using zorvek::test::plainRomSum;
using zorvek::test::RomFixture;

namespace {

TEST(RomChecksumTest, SumsTheRomDataAndFixesOnlyItsTwoWords)
{
    const RomFixture fixture = RomFixture(RomFixture::kFullSize).fillRandom(7).word16At(0x101DC, 0x1234).word16At(0x101DE, 0x5678);
    const auto sum = static_cast<uint16_t>(plainRomSum(fixture.bytes(), 0, 0x200000));
    MemoryImage image(fixture);
    const checksum::State stale = checksum::readState(image.rom);
    EXPECT_EQ(stale.computed, sum);
    EXPECT_EQ(stale.stored, 0x5678);
    EXPECT_EQ(stale.storedComplement, 0x1234);
    EXPECT_FALSE(stale.valid());

    ASSERT_TRUE(checksum::fix(image.rom).ok());
    const auto complement = static_cast<uint16_t>(sum ^ 0xFFFF);
    EXPECT_EQ(image.bytes(), RomFixture(fixture).word16At(0x101DC, complement).word16At(0x101DE, sum).bytes());
    EXPECT_TRUE(checksum::readState(image.rom).valid());  // the stored words never count
}

TEST(RomChecksumTest, MirrorsARomSizeThatIsNoPowerOfTwo)
{
    // 1 MiB + 512 KiB + 128 KiB: the last 128 KiB four times fills 512 KiB,
    // which with the 512 KiB before it fills the second MiB.
    const RomFixture fixture = RomFixture(0x200 + 0x1A0000).fillRandom(9);
    const QByteArray& b = fixture.bytes();
    const uint32_t sum = plainRomSum(b, 0, 0x180000) + 4 * plainRomSum(b, 0x180000, 0x1A0000);
    EXPECT_EQ(checksum::compute(MemoryImage(fixture).rom), static_cast<uint16_t>(sum));
}

} // namespace
