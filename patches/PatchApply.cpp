// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/PatchApply.h"

#include "core/header/CopierHeader.h"
#include "core/image/WholeFile.h"
#include "patches/BpsPatch.h"
#include "patches/IpsPatch.h"
#include "patches/UpsPatch.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace zorvek::patches {

namespace {

// A patch carries at most every byte of the biggest image, and some framing.
constexpr qint64 kMaxPatchFile = 2 * kMaxImageSize;

// Byte ranges two lists of sorted ranges share.
std::vector<ByteRange> shared(const std::vector<ByteRange>& x, const std::vector<ByteRange>& y)
{
    std::vector<ByteRange> out;
    for (size_t i = 0, j = 0; i < x.size() && j < y.size();) {
        const qint64 first = std::max(x[i].first, y[j].first), last = std::min(x[i].last, y[j].last);
        if (first <= last)
            out.push_back({first, last});
        (x[i].last < y[j].last ? i : j)++;
    }
    return out;
}

ApplyResult applyIps(const PatchFile& patch, const QByteArray& romData, QString* note)
{
    const ips::Parsed parsed = ips::read(patch.bytes);
    if (!parsed.problem.ok())
        return parsed.problem;
    const qint64 size = romData.size();
    const auto fits = [&](qint64 shift) {
        return std::all_of(parsed.records.begin(), parsed.records.end(),
                           [&](const ips::Record& r) { return r.offset >= shift && r.end() - shift <= size; })
            && (!parsed.truncateTo || *parsed.truncateTo - shift == size);
    };
    qint64 shift = 0;
    if (!fits(0) && !parsed.records.empty() && fits(copier::kHeaderSize)) {
        shift = copier::kHeaderSize;
        *note = QStringLiteral(
                    "%1 was made from an image with a copier header: its records were moved back "
                    "512 bytes to fit the ROM data.")
                    .arg(patch.name);
    } else if (!fits(0)) {
        const auto inHeader = std::find_if(parsed.records.begin(), parsed.records.end(),
                                           [](const ips::Record& r) { return r.offset < copier::kHeaderSize; });
        const bool headerFit = std::all_of(parsed.records.begin(), parsed.records.end(),
                                           [&](const ips::Record& r) { return r.end() <= size + copier::kHeaderSize; });
        const bool pastEnd = std::any_of(parsed.records.begin(), parsed.records.end(),
                                         [&](const ips::Record& r) { return r.end() > size; });
        if (headerFit && pastEnd && inHeader != parsed.records.end())
            return {{},
                    QStringLiteral("it was made from an image with a copier header, but it also changes "
                                   "that header, which the ROM data does not have")};
    }
    return {ips::apply(patch.bytes, parsed, romData, shift), {}};
}

} // namespace

std::optional<PatchKind> kindOf(const QByteArray& patch)
{
    if (patch.startsWith("PATCH"))
        return PatchKind::Ips;
    if (patch.startsWith("BPS1"))
        return PatchKind::Bps;
    if (patch.startsWith("UPS1"))
        return PatchKind::Ups;
    return std::nullopt;
}

IoResult readPatchFile(const QString& path, PatchFile& file)
{
    file.name = QDir::toNativeSeparators(path);
    if (IoResult r = readFileUpTo(path, kMaxPatchFile, file.bytes); !r.ok())
        return r;
    if (file.bytes.size() > kMaxPatchFile) {
        const qint64 size = QFileInfo(path).size();
        return IoResult::failure(size > kMaxPatchFile
                                     ? QStringLiteral("%1 bytes, more than a patch for any SNES image").arg(size)
                                     : QStringLiteral("more bytes than a patch for any SNES image"));
    }
    return IoResult::success();
}

PatchRun applyPatches(const QByteArray& romData, const std::vector<PatchFile>& patches)
{
    PatchRun run;
    run.romData = romData;
    for (const PatchFile& patch : patches) {
        const std::optional<PatchKind> kind = kindOf(patch.bytes);
        QString note;
        ApplyResult applied;
        if (!kind)
            applied = {{}, QStringLiteral("it is not an IPS, BPS or UPS patch")};
        else if (*kind == PatchKind::Ips)
            applied = applyIps(patch, run.romData, &note);
        else
            applied =
                *kind == PatchKind::Bps ? bps::apply(patch.bytes, run.romData) : ups::apply(patch.bytes, run.romData);
        if (!applied.ok()) {
            run.error = QStringLiteral("The patch %1 cannot be applied: %2.").arg(patch.name, applied.error);
            run.wrongSource = applied.wrongSource;
            return run;
        }
        if (!note.isEmpty())
            run.notes.append(note);
        run.changed.push_back(changedRanges(run.romData, applied.target));
        for (size_t earlier = 0; earlier + 1 < run.changed.size(); ++earlier) {
            const std::vector<ByteRange> both = shared(run.changed[earlier], run.changed.back());
            if (both.empty())
                continue;
            QStringList where;
            for (const ByteRange& r : both)
                where.append(rangeText(r));
            run.overlaps.append(QStringLiteral("%1 and %2 both change ROM data bytes %3")
                                    .arg(patches[earlier].name, patch.name, where.join(QStringLiteral(", "))));
        }
        run.romData = applied.target;
    }
    run.sizeChanged = run.romData.size() != romData.size();
    return run;
}

QString rangeText(const ByteRange& range)
{
    const auto hex = [](qint64 v) {
        return QStringLiteral("0x%1").arg(QString::number(v, 16).toUpper().rightJustified(6, QLatin1Char('0')));
    };
    return range.first == range.last ? hex(range.first) : hex(range.first) + QLatin1Char('-') + hex(range.last);
}

} // namespace zorvek::patches
