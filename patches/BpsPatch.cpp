// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/BpsPatch.h"

#include "patches/PatchNumbers.h"
#include "patches/SourceCheck.h"

#include <algorithm>
#include <cstring>

namespace zorvek::patches::bps {

namespace {

enum Action : uint64_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

void appendAction(QByteArray& out, Action action, qint64 length)
{
    appendNumber(out, static_cast<uint64_t>(length - 1) << 2 | action);
}

} // namespace

PatchResult create(const QByteArray& source, const QByteArray& target)
{
    QByteArray out("BPS1");
    appendNumber(out, static_cast<uint64_t>(source.size()));
    appendNumber(out, static_cast<uint64_t>(target.size()));
    appendNumber(out, 0); // no metadata
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
    le::append<quint32>(out, crc32Of(src, source.size()));
    le::append<quint32>(out, crc32Of(dst, size));
    le::append<quint32>(out, crc32Of(out.constData(), out.size()));
    return {out, {}};
}

ApplyResult apply(const QByteArray& patch, const QByteArray& source)
{
    qsizetype pos = 0, footer = 0;
    uint64_t sourceSize = 0, targetSize = 0, metadata = 0;
    if (ApplyResult wrong = readOpening(patch, "BPS1", {&sourceSize, &targetSize, &metadata}, pos, footer); !wrong.ok())
        return wrong;
    if (metadata > static_cast<uint64_t>(footer - pos))
        return ApplyResult::failure(pos, QStringLiteral("metadata longer than the patch"));
    pos += static_cast<qsizetype>(metadata);
    if (ApplyResult wrong = checkSource(source, sourceSize, le::at<quint32>(patch, footer)); !wrong.ok())
        return wrong;

    QByteArray target(static_cast<qsizetype>(targetSize), '\0');
    char* out = target.data();
    const char* in = source.constData();
    const qint64 outSize = target.size();
    qint64 written = 0, sourceAt = 0, targetAt = 0;
    while (pos < footer) {
        const qsizetype at = pos;
        uint64_t data = 0;
        if (!readNumber(patch, pos, footer, data))
            return ApplyResult::failure(at, QStringLiteral("a number that does not end"));
        const uint64_t length = (data >> 2) + 1;
        if (length > static_cast<uint64_t>(outSize - written))
            return ApplyResult::failure(at, QStringLiteral("%1 bytes past the target's size").arg(length));
        const auto n = static_cast<qint64>(length);
        switch (data & 3) {
        case SourceRead:
            if (written + n > source.size())
                return ApplyResult::failure(at, QStringLiteral("a read past the end of the source"));
            std::memcpy(out + written, in + written, static_cast<size_t>(n));
            break;
        case TargetRead:
            if (n > footer - pos)
                return ApplyResult::failure(at, QStringLiteral("%1 bytes carried, past the end of the patch").arg(n));
            std::memcpy(out + written, patch.constData() + pos, static_cast<size_t>(n));
            pos += n;
            break;
        default: {
            const bool fromSource = (data & 3) == SourceCopy;
            uint64_t relative = 0;
            if (!readNumber(patch, pos, footer, relative))
                return ApplyResult::failure(at, QStringLiteral("a number that does not end"));
            qint64& from = fromSource ? sourceAt : targetAt;
            const uint64_t step = relative >> 1;
            const qint64 limit = fromSource ? source.size() - n : written - 1;
            const qint64 moved = step > static_cast<uint64_t>(kMaxImageSize)
                ? -1
                : from + (relative & 1 ? -1 : 1) * static_cast<qint64>(step);
            if (moved < 0 || moved > limit)
                return ApplyResult::failure(at,
                                            QStringLiteral("a copy from outside the %1")
                                                .arg(fromSource ? QStringLiteral("source")
                                                                : QStringLiteral("bytes made so far")));
            from = moved;
            const char* copyFrom = fromSource ? in : out;
            // A target copy may overlap what it writes: byte by byte, as the format means.
            for (qint64 i = 0; i < n; ++i)
                out[written + i] = copyFrom[from + i];
            from += n;
            break;
        }
        }
        written += n;
    }
    if (written != outSize)
        return ApplyResult::failure(
            footer, QStringLiteral("the actions end after %1 of the target's %2 bytes").arg(written).arg(outSize));
    if (ApplyResult wrong = checkTarget(target, le::at<quint32>(patch, footer + 4), footer + 4); !wrong.ok())
        return wrong;
    return {target, {}};
}

} // namespace zorvek::patches::bps
