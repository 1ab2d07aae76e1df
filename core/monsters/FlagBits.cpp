// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/FlagBits.h"

namespace zorvek::monsters::flagbits {

Entries toEntries(uint8_t flags)
{
    Entries entries{};
    for (int i = 0; i < 8; ++i)
        entries[i] = (flags >> i & 1) != 0;
    return entries;
}

uint8_t toByte(const Entries& entries)
{
    unsigned flags = 0;
    for (int i = 0; i < 8; ++i)
        if (entries[i])
            flags |= 1u << i;
    return static_cast<uint8_t>(flags);
}

} // namespace zorvek::monsters::flagbits
