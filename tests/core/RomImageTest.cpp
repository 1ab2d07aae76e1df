// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/RomChecksum.h"
#include "core/image/RomImage.h"
#include "support/MemoryImage.h"
#include "support/OutsideWrite.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>

using namespace zorvek;
using namespace zorvek::test;

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

TEST(RomImageTest, AFailedReadIsKeptUntilTakenAndNoWriteGoesThroughMeanwhile)
{
    UndoHistory history; // outlives the image, which clears it on closing
    MemoryImage image(RomFixture(64).fillRandom(5));
    const QByteArray bytes = image.bytes();
    RomImage& rom = image.rom;
    rom.recordInto(&history);
    image.device->readsLeft = 0;
    image.device->readFailsOnce = true;
    EXPECT_EQ(rom.readWord16(0x20), 0);
    EXPECT_EQ(rom.readByte(0x21), static_cast<uint8_t>(bytes[0x21])); // a later good read does not wipe it out
    EXPECT_EQ(rom.readFailure().error, "The file could not be read at offset 0x20: Input/output error");
    EXPECT_EQ(rom.writeByte(0x21, 1).error, rom.readFailure().error);
    EXPECT_EQ(image.bytes(), bytes);
    EXPECT_FALSE(rom.takeReadFailure().ok());
    EXPECT_EQ(rom.readByte(1000), 0); // past the end is no failure
    EXPECT_TRUE(rom.readFailure().ok());

    // The journal could only record zeros as the bytes replaced: the write is refused whole.
    image.device->readsLeft = 0;
    EXPECT_TRUE(rom.writeWord16(0x10, 0xBEEF).error.contains("Input/output error"));
    EXPECT_TRUE(image.bytes() == bytes && image.device->writeOffsets.empty() && !history.canUndo());
    ASSERT_TRUE(rom.writeWord16(0x10, 0xBEEF).ok());
    ASSERT_TRUE(history.undo(rom.replayWriter()).result.ok());
    EXPECT_EQ(image.bytes(), bytes);
}

TEST(RomImageTest, OpeningNeverCreatesAFileAndAFileRewrittenInPlaceIsNotWrittenAgain)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("g.smc");
    UndoHistory history;
    RomImage rom;
    rom.recordInto(&history);
    EXPECT_EQ(rom.open(path).error, "The file does not exist.");
    EXPECT_FALSE(QFile::exists(path));

    ASSERT_TRUE(RomFixture(64).fillRandom(6).writeTo(path));
    // cp over it, then cp -p (the modification time set back): same file, same size.
    for (const bool keepModified : {false, true}) {
        ASSERT_TRUE(rom.open(path).ok());
        ASSERT_TRUE(rom.writeByte(1, 0x11).ok() && rom.writeByte(2, 0x22).ok()); // its own writes pass
        ASSERT_TRUE(rewriteInPlace(path, 8, "outside", keepModified));
        const QByteArray outside = readFile(path);
        EXPECT_EQ(rom.writeByte(1, 0x33).error,
                  "The file was changed by another program since it was opened and must be opened again.");
        EXPECT_FALSE(history.undo(rom.replayWriter()).result.ok());
        EXPECT_EQ(readFile(path), outside);
    }
}

TEST(RomImageTest, ACopyInMemoryReadsItsBytesAndKeepsAScratchCopysWritesToItself)
{
    const QByteArray bytes = RomFixture(32).fillRandom(7).bytes();
    RomImage copy;
    copy.openCopy(bytes, RomImage::CopyAccess::ReadOnly, QStringLiteral("named"));
    EXPECT_TRUE(copy.readBytes(0, 32) == bytes && copy.path() == "named" && !copy.isFileOnDisk());
    EXPECT_FALSE(copy.writeByte(0, 1).ok());
    copy.openCopy(bytes, RomImage::CopyAccess::Scratch);
    ASSERT_TRUE(copy.writeWord16(30, 0xBEEF).ok());
    EXPECT_EQ(copy.readBytes(0, 32), QByteArray(bytes).replace(30, 2, QByteArray::fromHex("efbe")));
    EXPECT_EQ(copy.path(), "copy in memory");
}

#ifdef F_OFD_GETLK
// A step inside a read holds the lock alone, reads inside the step do not
// weaken it, and each hold gives back only what it took.
TEST(RomImageTest, TheLockNestsAndReadsInsideAStepNeverWeakenIt)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("game.smc");
    ASSERT_TRUE(RomFixture(64).writeTo(path));
    QFile other(path);
    ASSERT_TRUE(other.open(QIODevice::ReadWrite));
    const auto othersMay = [&](short type) { // whether another open file could take it now
        struct flock probe {
            .l_type = type, .l_whence = SEEK_SET, .l_start = 0, .l_len = 0, .l_pid = 0
        };
        return ::fcntl(other.handle(), F_OFD_GETLK, &probe) == 0 && probe.l_type == F_UNLCK;
    };
    RomImage rom;
    ASSERT_TRUE(rom.open(path).ok());
    {
        const ImageLockHold read(rom, LockMode::Shared);
        EXPECT_TRUE(othersMay(F_RDLCK) && !othersMay(F_WRLCK));
        {
            const ImageLockHold step(rom, LockMode::Exclusive);
            const ImageLockHold inner(rom, LockMode::Shared);
            EXPECT_FALSE(othersMay(F_RDLCK));
        }
        EXPECT_TRUE(othersMay(F_RDLCK) && !othersMay(F_WRLCK));
    }
    EXPECT_TRUE(othersMay(F_WRLCK));
}
#endif

} // namespace
