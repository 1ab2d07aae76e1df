// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/characters/CharacterSlot.h"
#include "support/MemoryImage.h"

#include <gtest/gtest.h>

using namespace zorvek;
using namespace zorvek::characters;
using namespace zorvek::test;

// Field positions, widths and signs are checked through the window, which
// shows every field of every slot and saves its own.
TEST(CharacterRecordTest, SaveIntoASlotTheImageEndsInsideWritesNothing)
{
    // Ends after slot 3's battle commands, before its attributes.
    MemoryImage image(RomFixture(0x1172F0 + 0x20));
    EXPECT_TRUE(saveCharacter(image.rom, 3, CharacterValues{}).error.contains("too short"));
    EXPECT_EQ(image.rom.writeCount(), 0u);
}
