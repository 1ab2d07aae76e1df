// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/characters/CharacterSlot.h"
#include "core/monsters/MonsterDump.h"
#include "core/monsters/SpecialBits.h"
#include "support/MemoryImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zorvek::monsters;

// The record's fields, bits and save order are checked through the window,
// which reads and writes every one of them.
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

// Checked here, not only through the window: a load sets the number again
// after the boxes, which would hide a clear that turns a bit over instead.
TEST(MonsterDumpFolderTest, AnInstalledCopyDumpsBesideTheImageAndABuildFolderKeepsItsDumps)
{
    QTemporaryDir dir;
    const QString bin = dir.filePath("usr/bin"), build = dir.filePath("build"), image = dir.filePath("roms");
    ASSERT_TRUE(QDir().mkpath(bin) && QDir().mkpath(build) && QFile::link(bin, dir.filePath("bin")));
    const QStringList installed{dir.filePath("nowhere/bin"), dir.filePath("usr/../usr/bin")};
    EXPECT_EQ(dump::folder(bin, image, installed), image);
    EXPECT_EQ(dump::folder(dir.filePath("bin"), image, installed), image); // merged /bin and /usr/bin
    EXPECT_EQ(dump::folder(build, image, installed), build);
}

TEST(SpecialBitsTest, ABoxSetsOrClearsItsOwnBitWhateverTheByteHeldAndLeavesTheOthers)
{
    using namespace specialbits;
    for (int byte = 0; byte <= 0xFF; ++byte)
        for (const uint8_t bit : {kHideHp, kUnknown1, kUnknown2})
            for (const bool on : {false, true}) {
                const uint8_t after = withBit(static_cast<uint8_t>(byte), bit, on);
                ASSERT_TRUE(((after & bit) != 0) == on && (after & ~bit) == (byte & ~bit)) << byte << " " << int(bit);
            }
}

// Field positions, widths and signs are checked through the window, which
// shows every field of every slot and saves its own.
TEST(CharacterRecordTest, SaveIntoASlotTheImageEndsInsideWritesNothing)
{
    // Ends after slot 3's battle commands, before its attributes.
    zorvek::test::MemoryImage image(zorvek::test::RomFixture(0x1172F0 + 0x20));
    EXPECT_TRUE(zorvek::characters::saveCharacter(image.rom, 3, zorvek::characters::CharacterValues{})
                    .error.contains("too short"));
    EXPECT_EQ(image.rom.writeCount(), 0u);
}
