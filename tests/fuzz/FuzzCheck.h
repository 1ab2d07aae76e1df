// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A fuzz target's check: failing, it stops the run where libFuzzer reports it.
inline void require(bool condition)
{
    if (!condition)
        __builtin_trap();
}
