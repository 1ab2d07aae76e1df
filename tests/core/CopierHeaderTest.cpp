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

// The bytes each copier's header is written as are checked through the main
// window and the command line, which write them.
TEST(CopierHeaderTest, AHeaderIsWrittenWholeOrNotAtAll)
{
    const QByteArray before = RomFixture(10).fillRandom(5).bytes();
    MemoryImage tooShort(before);
    EXPECT_FALSE(copier::write(tooShort.rom, CopierType::SuperMagicom).ok());
    EXPECT_EQ(tooShort.bytes(), before);
}

} // namespace
