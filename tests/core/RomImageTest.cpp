#include "core/image/RomImage.h"
#include "support/MemoryImage.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvek;
using namespace zorvek::test;

namespace {

TEST(RomImageTest, ReadsLittleEndianAndGivesZerosPastTheEnd)
{
    const MemoryImage image(RomFixture(16).bytesAt(12, QByteArray::fromHex("34127856")));
    const RomImage& rom = image.rom;
    EXPECT_EQ(rom.readWord16(12), 0x1234);
    EXPECT_EQ(rom.readWord32(12), 0x56781234u);
    // Straddling the end: the missing high bytes read as zero.
    EXPECT_EQ(rom.readWord32(14), 0x5678u);
    EXPECT_EQ(rom.readBytes(15, 4), QByteArray::fromHex("56000000"));
    EXPECT_EQ(rom.readByte(1000000) | rom.readByte(-1), 0);
}

TEST(RomImageTest, WritesInPlaceAtOnceAndNeverGrowsTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.smc");
    const RomFixture fixture = RomFixture(16).fillRandom(3);
    ASSERT_TRUE(fixture.writeTo(path));
    RomImage rom;
    ASSERT_TRUE(rom.open(path).ok());
    ASSERT_TRUE(rom.writeWord16(4, 0x03E8).ok() && rom.writeWord32(8, 0x0004BBAA).ok());
    ASSERT_TRUE(rom.writeWord16(14, 0xBEEF).ok());
    EXPECT_TRUE(rom.writeWord16(15, 0xBEEF).error.contains("too short"));
    EXPECT_FALSE(rom.writeByte(1000, 1).ok());
    // Visible to another reader while still open.
    EXPECT_EQ(readFile(path).toHex(), QByteArray(fixture.bytes())
                                          .replace(4, 2, QByteArray::fromHex("e803"))
                                          .replace(8, 4, QByteArray::fromHex("aabb0400"))
                                          .replace(14, 2, QByteArray::fromHex("efbe"))
                                          .toHex());
}

TEST(RomImageTest, FailedWriteIsReportedWithItsReason)
{
    RomImage rom;
    MemoryDevice* device = attachMemory(rom, QByteArray(64, '\0'), 0, QStringLiteral("No space left on device"));
    EXPECT_EQ(rom.writeByte(3, 0x42).error, QStringLiteral("No space left on device"));
    EXPECT_EQ(device->data(), QByteArray(64, '\0'));
    rom.close();
    EXPECT_FALSE(rom.writeByte(0, 1).ok());
}

} // namespace
