// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/PatchNumbers.h"

namespace zorvek::patches {

void appendNumber(QByteArray& out, uint64_t value)
{
    for (;;) {
        const auto low = static_cast<char>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out.append(static_cast<char>(0x80 | low));
            return;
        }
        out.append(low);
        --value;
    }
}

bool readNumber(const QByteArray& patch, qsizetype& pos, qsizetype end, uint64_t& value)
{
    value = 0;
    uint64_t shift = 1;
    for (int shifts = 0; pos < end; ++shifts) {
        const auto x = static_cast<uint8_t>(patch[pos++]);
        // Ten bytes carry 64 bits; the eleventh would overflow.
        if (shifts > 9)
            return false;
        const uint64_t part = (x & 0x7F) * shift;
        if (shift != 0 && part / shift != (x & 0x7FU))
            return false;
        if (value + part < value)
            return false;
        value += part;
        if (x & 0x80)
            return true;
        shift <<= 7;
        if (value + shift < value)
            return false;
        value += shift;
    }
    return false;
}

} // namespace zorvek::patches
