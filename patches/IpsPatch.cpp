// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/IpsPatch.h"

#include <algorithm>

namespace zorvek::patches::ips {

namespace {

void appendBigEndian(QByteArray& out, qint64 value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

void appendRecord(QByteArray& out, const QByteArray& target, qint64 offset, qint64 length)
{
    appendBigEndian(out, offset, 3);
    appendBigEndian(out, length, 2);
    out.append(target.constData() + offset, length);
}

} // namespace

PatchResult create(const QByteArray& source, const QByteArray& target)
{
    if (target.size() < source.size())
        return {{}, QStringLiteral("An IPS patch cannot make a file shorter.")};
    if (target.size() > kMaxTargetSize)
        return {{}, QStringLiteral("An IPS patch cannot reach past 16 MiB.")};
    QByteArray out("PATCH");
    const char* src = source.constData();
    const char* dst = target.constData();
    const qint64 common = source.size();
    const qint64 size = target.size();
    qint64 i = 0;
    while (i < size) {
        if (i < common)
            i = std::mismatch(dst + i, dst + common, src + i).first - dst;
        if (i >= size)
            break;
        qint64 end = i + 1;
        while (end < size && (end >= common || dst[end] != src[end]))
            ++end;
        // One unchanged byte in front keeps the record off the marker offset.
        qint64 at = i == kEofOffset ? i - 1 : i;
        while (at < end) {
            qint64 length = std::min(kMaxRecordLength, end - at);
            if (at + length == kEofOffset && at + length < end)
                --length;
            appendRecord(out, target, at, length);
            at += length;
        }
        i = end;
    }
    out.append("EOF");
    return {out, {}};
}

} // namespace zorvek::patches::ips
