// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/RomChecksum.h"
#include "support/MemoryImage.h"

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::MemoryImage;
using zorvek::test::plainRomSum;
using zorvek::test::RomFixture;

namespace {

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
