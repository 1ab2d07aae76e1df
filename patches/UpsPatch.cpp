// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/UpsPatch.h"

#include "patches/PatchNumbers.h"
#include "patches/SourceCheck.h"

#include <algorithm>

namespace zorvek::patches::ups {

namespace {

char byteAt(const QByteArray& bytes, qint64 at) { return at < bytes.size() ? bytes[at] : '\0'; }

} // namespace

PatchResult create(const QByteArray& source, const QByteArray& target)
{
    QByteArray out("UPS1");
    appendNumber(out, static_cast<uint64_t>(source.size()));
    appendNumber(out, static_cast<uint64_t>(target.size()));
    const qint64 size = target.size();
    qint64 from = 0;
    for (qint64 i = 0; i < size;) {
        if (byteAt(source, i) == target[i]) {
            ++i;
            continue;
        }
        appendNumber(out, static_cast<uint64_t>(i - from));
        for (; i < size && byteAt(source, i) != target[i]; ++i)
            out.append(static_cast<char>(byteAt(source, i) ^ target[i]));
        out.append('\0');
        from = ++i;
    }
    le::append<quint32>(out, crc32Of(source));
    le::append<quint32>(out, crc32Of(target));
    le::append<quint32>(out, crc32Of(out));
    return {out, {}};
}

ApplyResult apply(const QByteArray& patch, const QByteArray& source)
{
    qsizetype pos = 0, footer = 0;
    uint64_t sourceSize = 0, targetSize = 0;
    if (ApplyResult wrong = readOpening(patch, "UPS1", {&sourceSize, &targetSize}, pos, footer); !wrong.ok())
        return wrong;
    if (ApplyResult wrong = checkSource(source, sourceSize, le::at<quint32>(patch, footer)); !wrong.ok())
        return wrong;

    QByteArray target = source.left(static_cast<qsizetype>(targetSize));
    target.resize(static_cast<qsizetype>(targetSize), '\0');
    const qint64 size = target.size();
    char* bytes = target.data();
    qint64 out = 0;
    while (pos < footer) {
        const qsizetype at = pos;
        uint64_t skip = 0;
        if (!readNumber(patch, pos, footer, skip))
            return ApplyResult::failure(at, QStringLiteral("a number that does not end"));
        if (skip > static_cast<uint64_t>(size - out))
            return ApplyResult::failure(at, QStringLiteral("a skip of %1 bytes past the target's size").arg(skip));
        out += static_cast<qint64>(skip);
        for (;;) {
            if (pos >= footer)
                return ApplyResult::failure(pos, QStringLiteral("a run without its closing zero byte"));
            const char x = patch[pos++];
            if (x == '\0')
                break;
            if (out >= size)
                return ApplyResult::failure(pos - 1, QStringLiteral("a change past the target's size"));
            bytes[out++] ^= x;
        }
        ++out;
    }
    if (ApplyResult wrong = checkTarget(target, le::at<quint32>(patch, footer + 4), footer + 4); !wrong.ok())
        return wrong;
    return {target, {}};
}

} // namespace zorvek::patches::ups
