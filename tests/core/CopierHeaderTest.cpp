// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/header/CopierHeader.h"
#include "support/MemoryImage.h"

#include <gtest/gtest.h>

using namespace zorvek;
using namespace zorvek::test;

namespace {

QByteArray hex(const char* text) { return QByteArray::fromHex(text); }

CopierType detectIn(const char* header)
{
    return copier::detect(MemoryImage(RomFixture(0x300).bytesAt(0, hex(header))).rom);
}

TEST(CopierHeaderTest, DetectsEveryHeaderFormByItsBytes)
{
    EXPECT_EQ(detectIn(""), CopierType::Undetected);
    EXPECT_EQ(detectIn("0001000000000000AABB0400"), CopierType::SuperMagicom);
    // One changed byte in word C breaks the match.
    EXPECT_EQ(detectIn("0001000000000000AABB0401"), CopierType::Undetected);
    // The second MagiCom form ignores byte 0x000.
    EXPECT_EQ(detectIn("7F01008000000000AABB0400"), CopierType::SuperMagicom);
    EXPECT_EQ(detectIn("8000040000000000AABB0400"), CopierType::SuperWildCard);
    EXPECT_EQ(detectIn("800000007783000000000000"), CopierType::ProFighter);
    EXPECT_EQ(detectIn("8000000077830000AABB0400"), CopierType::Undetected);
}

TEST(CopierHeaderTest, WrittenHeadersReadBackAsTheirOwnTypeAndTouchOnlyTwelveBytesOrNone)
{
    const char* rows[] = {"000000000000000000000000", "0001000000000000AABB0400", "8000040000000000AABB0400",
                          "800000007783000000000000"};
    const QByteArray before = RomFixture(0x300).fillRandom(5).bytes();
    for (int index = 0; index <= 3; ++index) {
        MemoryImage image(before);
        ASSERT_TRUE(copier::write(image.rom, static_cast<CopierType>(index)).ok());
        EXPECT_EQ(copier::detect(image.rom), static_cast<CopierType>(index));
        EXPECT_EQ(image.bytes().toHex(), QByteArray(before).replace(0, 12, hex(rows[index])).toHex()) << index;
    }
    // A header is written whole or not at all.
    MemoryImage tooShort(before.left(10));
    EXPECT_FALSE(copier::write(tooShort.rom, CopierType::SuperMagicom).ok());
    EXPECT_EQ(tooShort.bytes(), before.left(10));
}

} // namespace
