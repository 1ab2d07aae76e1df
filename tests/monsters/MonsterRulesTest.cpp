#include "monsters/FlagBits.h"
#include "monsters/MonsterEntryRules.h"
#include "monsters/MonsterFlagLists.h"
#include "monsters/SpecialBits.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace zorvek::monsters;

TEST(FlagBitsTest, BitIBelongsToEntryI)
{
    const flagbits::Entries fireAndBolt = {true, false, true, false, false, false, false, false};
    EXPECT_EQ(flagbits::toEntries(0x05), fireAndBolt);
    EXPECT_EQ(flagbits::toByte(fireAndBolt), 0x05);
    EXPECT_EQ(flagbits::toEntries(0x80)[7], true);
    EXPECT_EQ(flagbits::toByte(flagbits::Entries{true, true, true, true, true, true, true, true}), 255);
    EXPECT_EQ(flagbits::toByte(flagbits::Entries{}), 0);
    for (int b = 0; b < 256; ++b)
        ASSERT_EQ(flagbits::toByte(flagbits::toEntries(static_cast<uint8_t>(b))), b);
}

TEST(FlagBitsTest, ListTextsNameTheirBits)
{
    const QStringList& weak = flaglists::elementalEntries();
    ASSERT_EQ(weak.size(), 24);
    EXPECT_EQ(weak[flaglists::kWeaknessFirst + 6], "Weak Against: Wind");
    EXPECT_EQ(weak[flaglists::kWeaknessFirst + 7], "Weak Against: Water");
    EXPECT_EQ(weak[flaglists::kAbsorbFirst + 7], "Absorb: Wind");
    EXPECT_EQ(weak[flaglists::kElementImmunityFirst], "No DMG from: Fire");
    EXPECT_EQ(weak[23], "No DMG from: Wind");
    const QStringList& status = flaglists::statusEntries();
    ASSERT_EQ(status.size(), 16);
    EXPECT_EQ(status[flaglists::kStartStatusFirst + 7], "Start Battle: Float");
    EXPECT_EQ(status[flaglists::kStatusImmunityFirst + 2], "Strong Against: Stone");
    const QStringList& attributes = flaglists::specialAttributeEntries();
    ASSERT_EQ(attributes.size(), 8);
    EXPECT_EQ(attributes[1], "No DMG from Weapons");
    EXPECT_EQ(attributes[6], "Reduced DMG from Weapons");
    EXPECT_EQ(attributes[7], "Wall");
}

TEST(SpecialBitsTest, KnownBytesGiveTheirBoxes)
{
    using B = specialbits::Boxes;
    EXPECT_EQ(specialbits::boxesFor(152), (B{true, true, true}));
    EXPECT_EQ(specialbits::boxesFor(144), (B{true, false, true}));
    EXPECT_EQ(specialbits::boxesFor(136), (B{true, true, false}));
    EXPECT_EQ(specialbits::boxesFor(128), (B{true, false, false}));
    EXPECT_EQ(specialbits::boxesFor(24), (B{false, true, true}));
    EXPECT_EQ(specialbits::boxesFor(16), (B{false, false, true}));
    EXPECT_EQ(specialbits::boxesFor(8), (B{false, true, false}));
    EXPECT_EQ(specialbits::boxesFor(0), (B{false, false, false}));
}

TEST(SpecialBitsTest, EveryByteShowsAndTogglesOnlyItsOwnBits)
{
    const uint8_t bits[] = {specialbits::kHideHp, specialbits::kUnknown1, specialbits::kUnknown2};
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<uint8_t>(value);
        const specialbits::Boxes boxes = specialbits::boxesFor(byte);
        EXPECT_EQ(boxes.hideHp, (value & 0x80) != 0) << value;
        EXPECT_EQ(boxes.unknown1, (value & 0x08) != 0) << value;
        EXPECT_EQ(boxes.unknown2, (value & 0x10) != 0) << value;
        for (uint8_t bit : bits) {
            const uint8_t on = specialbits::withBit(byte, bit, true);
            const uint8_t off = specialbits::withBit(byte, bit, false);
            EXPECT_EQ(on & ~bit, byte & ~bit) << value;
            EXPECT_EQ(off & ~bit, byte & ~bit) << value;
            EXPECT_TRUE(on & bit);
            EXPECT_FALSE(off & bit);
            // Re-setting the state a box already shows changes nothing.
            EXPECT_EQ(specialbits::withBit(byte, bit, (byte & bit) != 0), byte);
        }
    }
    // Ticking Unknown 1 with 128 shown gives 136; clearing brings back 128.
    EXPECT_EQ(specialbits::withBit(128, specialbits::kUnknown1, true), 136);
    EXPECT_EQ(specialbits::withBit(136, specialbits::kUnknown1, false), 128);
    EXPECT_EQ(specialbits::withBit(128, specialbits::kHideHp, false), 0);
}

TEST(EntryRulesTest, EmptyBecomesZeroAndAboveTheMaximumBecomesIt)
{
    EXPECT_EQ(rules::corrected("", 255), "0");
    EXPECT_EQ(rules::corrected("300", 255), "255");
    EXPECT_EQ(rules::corrected("255", 255), "255");
    EXPECT_EQ(rules::corrected("255.5", 255), "255");
    EXPECT_EQ(rules::corrected("65501", 65500), "65500");
    EXPECT_EQ(rules::corrected("65535", 65500), "65500");
    EXPECT_EQ(rules::corrected("65500", 65500), "65500");
    // Kept as typed: leading zeros, fractions, and texts that read as their leading number.
    EXPECT_EQ(rules::corrected("025", 255), "025");
    EXPECT_EQ(rules::corrected("2.5", 255), "2.5");
    EXPECT_EQ(rules::corrected(".", 255), ".");
    EXPECT_EQ(rules::corrected("1.2.3", 255), "1.2.3");
    EXPECT_EQ(rules::corrected("300.2.3", 255), "255");
}

TEST(EntryRulesTest, AttackIndexWarnsOnlyBeyondTheLastEntry)
{
    EXPECT_FALSE(rules::isBeyondAttackList("207"));
    EXPECT_TRUE(rules::isBeyondAttackList("208"));
    EXPECT_TRUE(rules::isBeyondAttackList("255"));
    EXPECT_FALSE(rules::isBeyondAttackList("0"));
    EXPECT_FALSE(rules::isBeyondAttackList(""));
}
