// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Patch readers written from the formats' published descriptions, not from
// the code that makes the patches; each checks the patch's framing as it goes.

#include <QByteArray>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace zorvek::test {

inline uint32_t bigEndian(const QByteArray& p, qsizetype& pos, int bytes)
{
    uint32_t value = 0;
    while (bytes-- > 0)
        value = value << 8 | static_cast<uint8_t>(p[pos++]);
    return value;
}

inline uint64_t bpsNumber(const QByteArray& p, qsizetype& pos)
{
    uint64_t data = 0, shift = 1;
    for (;;) {
        const auto x = static_cast<uint8_t>(p[pos++]);
        data += (x & 0x7F) * shift;
        if (x & 0x80)
            return data;
        shift <<= 7;
        data += shift;
    }
}

inline uint32_t crcOf(const QByteArray& b) { return crc32(0, reinterpret_cast<const Bytef*>(b.data()), b.size()); }

// "PATCH", records (3-byte offset, 2-byte size, data; size 0: 2-byte count and a byte), "EOF".
inline QByteArray applyIps(const QByteArray& patch, QByteArray image, std::vector<uint32_t>* starts = nullptr)
{
    EXPECT_TRUE(patch.startsWith("PATCH"));
    qsizetype pos = 5;
    while (patch.mid(pos, 3) != "EOF") {
        const uint32_t offset = bigEndian(patch, pos, 3);
        const uint32_t size = bigEndian(patch, pos, 2);
        const qsizetype count = size ? size : bigEndian(patch, pos, 2);
        const QByteArray data = size ? patch.mid(pos, size) : QByteArray(count, patch[pos]);
        pos += size ? size : 1;
        if (starts)
            starts->push_back(offset);
        image.resize(std::max<qsizetype>(image.size(), offset + data.size()));
        image.replace(offset, data.size(), data);
    }
    EXPECT_EQ(pos + 3, patch.size());
    return image;
}

// "BPS1", sizes, metadata, the four actions, then source, target and patch CRC32.
inline QByteArray applyBps(const QByteArray& patch, const QByteArray& source)
{
    EXPECT_TRUE(patch.startsWith("BPS1"));
    qsizetype pos = 4, out = 0, sourceAt = 0, targetAt = 0;
    EXPECT_EQ(bpsNumber(patch, pos), static_cast<uint64_t>(source.size()));
    QByteArray target(static_cast<qsizetype>(bpsNumber(patch, pos)), '\0');
    pos += static_cast<qsizetype>(bpsNumber(patch, pos));
    const qsizetype footer = patch.size() - 12;
    while (pos < footer) {
        const uint64_t data = bpsNumber(patch, pos), action = data & 3;
        if (action >= 2) {
            const uint64_t d = bpsNumber(patch, pos);
            (action == 2 ? sourceAt : targetAt) += (d & 1 ? -1 : 1) * static_cast<qsizetype>(d >> 1);
        }
        for (uint64_t n = (data >> 2) + 1; n > 0; --n, ++out)
            target[out] = action == 0 ? source[out] : action == 1 ? patch[pos++]
                        : action == 2 ? source[sourceAt++] : target[targetAt++];
    }
    const auto word = [&](int i) { return qFromLittleEndian<quint32>(patch.constData() + footer + 4 * i); };
    EXPECT_EQ(word(0), crcOf(source));
    EXPECT_EQ(word(1), crcOf(target));
    EXPECT_EQ(word(2), crcOf(patch.left(patch.size() - 4)));
    return target;
}

} // namespace zorvek::test
