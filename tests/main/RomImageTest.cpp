#include "main/RomImage.h"
#include "support/RomFixture.h"

#include "support/MemoryImage.h"
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvek;
using zorvek::test::readFile;
using zorvek::test::RomFixture;
using zorvek::test::attachMemory;
using zorvek::test::MemoryDevice;

namespace {

TEST(RomImageTest, ReadsLittleEndianAndGivesZerosPastTheEnd)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("r.smc");
    ASSERT_TRUE(RomFixture(16).bytesAt(12, QByteArray::fromHex("34127856")).writeTo(path));
    RomImage rom;
    ASSERT_TRUE(rom.open(path).ok());
    EXPECT_EQ(rom.readWord16(12), 0x1234);
    EXPECT_EQ(rom.readWord32(12), 0x56781234u);
    // Straddling the end: the missing high bytes read as zero.
    EXPECT_EQ(rom.readWord32(14), 0x5678u);
    EXPECT_EQ(rom.readByte(1000000), 0);
    EXPECT_EQ(rom.readBytes(15, 4), QByteArray::fromHex("56000000"));
    EXPECT_EQ(rom.readByte(-1), 0);
}

TEST(RomImageTest, WritesInPlaceAndFlushesAtOnce)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("w.smc");
    ASSERT_TRUE(RomFixture(32).fillRandom(3).writeTo(path));
    const QByteArray before = readFile(path);
    RomImage rom;
    ASSERT_TRUE(rom.open(path).ok());
    ASSERT_TRUE(rom.writeWord16(4, 0x03E8).ok());
    ASSERT_TRUE(rom.writeWord32(8, 0x0004BBAA).ok());
    // Visible to another reader while still open.
    QByteArray expected = before;
    expected.replace(4, 2, QByteArray::fromHex("e803"));
    expected.replace(8, 4, QByteArray::fromHex("aabb0400"));
    EXPECT_EQ(readFile(path), expected);
}

TEST(RomImageTest, NeverGrowsTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.smc");
    ASSERT_TRUE(RomFixture(16).writeTo(path));
    RomImage rom;
    ASSERT_TRUE(rom.open(path).ok());
    EXPECT_TRUE(rom.writeWord16(14, 0xBEEF).ok());
    const IoResult r = rom.writeWord16(15, 0xBEEF);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.error.contains("too short"));
    EXPECT_FALSE(rom.writeByte(1000, 1).ok());
    EXPECT_EQ(readFile(path), QByteArray(14, '\0') + QByteArray::fromHex("efbe"));
}

TEST(RomImageTest, FailedWriteIsReportedWithItsReason)
{
    RomImage rom;
    MemoryDevice* device = attachMemory(rom, QByteArray(64, '\0'), 0, QStringLiteral("No space left on device"));
    const IoResult r = rom.writeByte(3, 0x42);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.error, QStringLiteral("No space left on device"));
    EXPECT_EQ(device->data().at(3), '\0');
    rom.close();
    EXPECT_FALSE(rom.writeByte(0, 1).ok());
}

} // namespace
