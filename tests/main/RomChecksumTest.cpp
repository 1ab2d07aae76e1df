#include "main/RomChecksum.h"
#include "support/MemoryImage.h"

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::MemoryImage;
using zorvek::test::RomFixture;

namespace {

// Sum of ROM data [from, to), the four stored bytes at ROM 0xFFDC counted as FF FF 00 00.
uint32_t plainSum(const QByteArray& image, qint64 from, qint64 to)
{
    uint32_t sum = 0;
    for (qint64 i = from; i < to; ++i) {
        if (i >= 0xFFDC && i < 0xFFE0)
            sum += i < 0xFFDE ? 0xFF : 0x00;
        else
            sum += static_cast<uint8_t>(image[0x200 + i]);
    }
    return sum;
}

TEST(RomChecksumTest, SumsTheRomDataAndFixesOnlyItsTwoWords)
{
    const RomFixture fixture = RomFixture(RomFixture::kFullSize).fillRandom(7);
    const auto expected = static_cast<uint16_t>(plainSum(fixture.bytes(), 0, 0x200000));
    MemoryImage image(fixture);
    const checksum::State stale = checksum::readState(image.rom);
    EXPECT_EQ(stale.computed, expected);
    EXPECT_EQ(stale.stored, static_cast<uint8_t>(fixture.bytes()[0x101DE]) | static_cast<uint8_t>(fixture.bytes()[0x101DF]) << 8);
    EXPECT_FALSE(stale.valid());

    ASSERT_TRUE(checksum::fix(image.rom).ok());
    QByteArray after = fixture.bytes();
    const auto complement = static_cast<uint16_t>(expected ^ 0xFFFF);
    after[0x101DC] = static_cast<char>(complement & 0xFF);
    after[0x101DD] = static_cast<char>(complement >> 8);
    after[0x101DE] = static_cast<char>(expected & 0xFF);
    after[0x101DF] = static_cast<char>(expected >> 8);
    EXPECT_EQ(image.bytes(), after);
    const checksum::State fixed = checksum::readState(image.rom);
    EXPECT_TRUE(fixed.valid());
    EXPECT_EQ(fixed.computed, expected);  // the stored words never count
}

TEST(RomChecksumTest, MirrorsARomSizeThatIsNoPowerOfTwo)
{
    // 1 MiB + 512 KiB + 128 KiB: the last 128 KiB is repeated four times to
    // fill 512 KiB, which together with the 512 KiB before it fills the
    // second MiB.
    const RomFixture fixture = RomFixture(0x200 + 0x1A0000).fillRandom(9);
    const QByteArray& b = fixture.bytes();
    const uint32_t expected = plainSum(b, 0, 0x100000) + plainSum(b, 0x100000, 0x180000)
        + 4 * plainSum(b, 0x180000, 0x1A0000);
    MemoryImage image(fixture);
    EXPECT_EQ(checksum::compute(image.rom), static_cast<uint16_t>(expected));
}

} // namespace
