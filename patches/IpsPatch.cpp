// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/IpsPatch.h"

#include <algorithm>
#include <cstring>

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

qint64 bigEndian(const QByteArray& p, qsizetype pos, int bytes)
{
    qint64 value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | static_cast<uint8_t>(p[pos + i]);
    return value;
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

Parsed read(const QByteArray& patch)
{
    Parsed parsed;
    if (!patch.startsWith("PATCH")) {
        parsed.problem = ApplyResult::failure(0, QStringLiteral("it does not start with \"PATCH\""));
        return parsed;
    }
    const qsizetype size = patch.size();
    qsizetype pos = 5;
    const auto fail = [&](qsizetype at, const QString& reason) {
        parsed.records.clear();
        parsed.problem = ApplyResult::failure(at, reason);
        return parsed;
    };
    for (;;) {
        if (size - pos < 3)
            return fail(pos, QStringLiteral("the patch ends without its \"EOF\" marker"));
        if (patch.mid(pos, 3) == "EOF") {
            const qsizetype left = size - pos - 3;
            if (left == 3)
                parsed.truncateTo = bigEndian(patch, pos + 3, 3);
            else if (left != 0)
                return fail(pos + 3, QStringLiteral("%1 bytes after the \"EOF\" marker").arg(left));
            return parsed;
        }
        const qsizetype at = pos;
        if (size - pos < 5)
            return fail(at, QStringLiteral("a record cut off in its header"));
        Record record;
        record.offset = bigEndian(patch, pos, 3);
        record.length = bigEndian(patch, pos + 3, 2);
        pos += 5;
        if (record.length == 0) {
            if (size - pos < 3)
                return fail(at, QStringLiteral("a run of fill cut off in its header"));
            record.length = bigEndian(patch, pos, 2);
            record.fill = patch[pos + 2];
            pos += 3;
            if (record.length == 0)
                return fail(at, QStringLiteral("a run of fill of no bytes"));
        } else {
            if (size - pos < record.length)
                return fail(at,
                            QStringLiteral("a record of %1 bytes with %2 left in the patch")
                                .arg(record.length)
                                .arg(size - pos));
            record.data = pos;
            pos += record.length;
        }
        if (record.end() > kMaxImageSize)
            return fail(at, QStringLiteral("a record reaching byte %1, past any SNES image").arg(record.end()));
        parsed.records.push_back(record);
    }
}

QByteArray apply(const QByteArray& patch, const Parsed& parsed, QByteArray source, qint64 shift)
{
    qint64 end = source.size();
    for (const Record& r : parsed.records)
        end = std::max(end, r.end() - shift);
    if (end > source.size())
        source.resize(end, '\0');
    char* out = source.data();
    for (const Record& r : parsed.records) {
        char* to = out + (r.offset - shift);
        if (r.data < 0)
            std::memset(to, r.fill, static_cast<size_t>(r.length));
        else
            std::memcpy(to, patch.constData() + r.data, static_cast<size_t>(r.length));
    }
    if (parsed.truncateTo)
        source.resize(std::max<qint64>(0, *parsed.truncateTo - shift), '\0');
    return source;
}

} // namespace zorvek::patches::ips
