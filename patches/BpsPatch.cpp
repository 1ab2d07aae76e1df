// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/BpsPatch.h"

#include <zlib.h>

#include <algorithm>

namespace zorvek::patches::bps {

namespace {

enum Action : uint64_t { SourceRead = 0, TargetRead = 1 };

void appendAction(QByteArray& out, Action action, qint64 length)
{
    appendNumber(out, static_cast<uint64_t>(length - 1) << 2 | action);
}

void appendLittleEndian32(QByteArray& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

} // namespace

void appendNumber(QByteArray& out, uint64_t value)
{
    // Each byte holds 7 bits; the top bit marks the last one, and every
    // continuation takes one off so that no number has two spellings.
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

PatchResult create(const QByteArray& source, const QByteArray& target)
{
    QByteArray out("BPS1");
    appendNumber(out, static_cast<uint64_t>(source.size()));
    appendNumber(out, static_cast<uint64_t>(target.size()));
    appendNumber(out, 0);  // no metadata
    const char* src = source.constData();
    const char* dst = target.constData();
    const qint64 common = std::min(source.size(), target.size());
    const qint64 size = target.size();
    // SourceRead copies from the same position as the output's, which is
    // exactly an unchanged run.
    for (qint64 i = 0; i < size;) {
        qint64 end = i < common ? std::mismatch(dst + i, dst + common, src + i).first - dst : i;
        if (end > i) {
            appendAction(out, SourceRead, end - i);
            i = end;
            continue;
        }
        end = i + 1;
        while (end < size && (end >= common || dst[end] != src[end]))
            ++end;
        appendAction(out, TargetRead, end - i);
        out.append(dst + i, end - i);
        i = end;
    }
    appendLittleEndian32(out, crc32Of(src, source.size()));
    appendLittleEndian32(out, crc32Of(dst, size));
    appendLittleEndian32(out, crc32Of(out.constData(), out.size()));
    return {out, {}};
}

} // namespace zorvek::patches::bps
