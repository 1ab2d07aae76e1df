// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/PatchNumbers.h"

#include <zlib.h>

#include <algorithm>

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

uint32_t crc32Of(const char* data, qint64 size)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    for (qint64 done = 0; done < size;) {
        // zlib takes at most an unsigned int per call.
        const auto part = static_cast<uInt>(std::min<qint64>(size - done, 1 << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data + done), part);
        done += part;
    }
    return static_cast<uint32_t>(crc);
}

void appendLittleEndian32(QByteArray& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

uint32_t littleEndian32(const QByteArray& bytes, qsizetype at)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

} // namespace zorvek::patches
