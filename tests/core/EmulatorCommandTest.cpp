// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/play/EmulatorCommand.h"

#include <gtest/gtest.h>

using namespace zorvek;

TEST(EmulatorCommandTest, RomStandsForThePathInAnyWordAndShownLinesSplitBackTheSame)
{
    const QString rom = QStringLiteral("/cache/my \"odd\" game.sfc");
    auto launch = emulator::resolve(QStringLiteral("emu --rom={rom} -f"), rom);
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->program, "emu");
    EXPECT_EQ(launch->arguments, QStringList({"--rom=" + rom, "-f"}));

    // Without {rom} the path goes last; a command of no program is none.
    launch = emulator::resolve(QStringLiteral("\"/opt/my emu/run\" -x"), rom);
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->program, "/opt/my emu/run");
    EXPECT_EQ(launch->arguments, QStringList({"-x", rom}));
    EXPECT_FALSE(emulator::resolve(QStringLiteral("  "), rom));

    const auto again = emulator::resolve(emulator::shown(*launch), QStringLiteral("next"));
    ASSERT_TRUE(again);
    EXPECT_EQ(again->program, launch->program);
    EXPECT_EQ(again->arguments, launch->arguments + QStringList{"next"});
}
