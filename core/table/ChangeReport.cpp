// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/table/ChangeReport.h"

#include "core/header/CopierHeader.h"
#include "core/header/InternalName.h"
#include "core/image/ByteRanges.h"
#include "core/image/RomChecksum.h"
#include "core/table/TableCheck.h"

#include <algorithm>
#include <map>

namespace zorvek::table {

namespace {

constexpr int kRangesListed = 12;

QString hex(qint64 v)
{
    return QStringLiteral("0x%1").arg(QString::number(v, 16).toUpper().rightJustified(6, QLatin1Char('0')));
}

using Range = ByteRange;

// Cuts the ranges at the known places: what falls inside [first, last] is
// handed to inside, the rest stays.
std::vector<Range> takeOut(const std::vector<Range>& ranges, qint64 first, qint64 last,
                           const std::function<void(const Range&)>& inside)
{
    std::vector<Range> rest;
    for (const Range& r : ranges) {
        if (r.last < first || r.first > last) {
            rest.push_back(r);
            continue;
        }
        inside({std::max(r.first, first), std::min(r.last, last)});
        if (r.first < first)
            rest.push_back({r.first, first - 1});
        if (r.last > last)
            rest.push_back({last + 1, r.last});
    }
    return rest;
}

QString sizeText(qint64 n) { return n == 1 ? QStringLiteral("1 byte") : QStringLiteral("%1 bytes").arg(n); }

} // namespace

ChangeReport describeChanges(const QByteArray& before, const QByteArray& after, const std::vector<KnownRecords>& tables)
{
    ChangeReport report;
    std::vector<Range> ranges = changedRanges(before, after);
    RomImage old, now;
    old.openCopy(before, RomImage::CopyAccess::ReadOnly);
    now.openCopy(after, RomImage::CopyAccess::ReadOnly);

    report.records.resize(tables.size());
    for (size_t t = 0; t < tables.size(); ++t) {
        const KnownRecords& table = tables[t];
        std::map<int, qint64> touched; // record -> changed bytes
        ranges = takeOut(ranges, table.start, table.start + table.stride * table.count - 1, [&](const Range& r) {
            for (qint64 at = r.first; at <= r.last; ++at)
                ++touched[static_cast<int>((at - table.start) / table.stride)];
        });
        for (const auto& [record, bytes] : touched) {
            report.records[t].insert(record);
            ChangedRow row{record, 0, {}, table.cells(old, record), {}};
            row.values = table.cells(now, record).values;
            for (size_t column = 0; column < row.values.size(); ++column)
                if (row.values[column] != row.current.values[column])
                    row.changed.push_back(static_cast<int>(column));
            const QString title = table.title(record, row.current);
            report.lines.append(
                row.changed.empty()
                    ? QStringLiteral("%1: %2 that no field shows").arg(title, sizeText(bytes))
                    : QStringLiteral("%1: %2").arg(title, table::describeChanges(*table.definition, row)));
        }
    }
    ranges =
        takeOut(ranges, internalname::kOffset, internalname::kOffset + internalname::kLength - 1, [&](const Range&) {});
    if (const QString was = internalname::read(old), is = internalname::read(now); was != is)
        report.lines.append(QStringLiteral("Internal name: \"%1\" -> \"%2\"").arg(was.trimmed(), is.trimmed()));
    qint64 headerBytes = 0;
    ranges = takeOut(ranges, 0, copier::kHeaderSize - 1, [&](const Range& r) { headerBytes += r.last - r.first + 1; });
    if (headerBytes > 0) {
        const auto names = copier::typeNames();
        const auto was = copier::detect(old), is = copier::detect(now);
        report.lines.append(QStringLiteral("Copier header: %1 changed%2")
                                .arg(sizeText(headerBytes),
                                     was == is ? QString()
                                               : QStringLiteral(", %1 -> %2")
                                                     .arg(QLatin1String(names[static_cast<int>(was)]),
                                                          QLatin1String(names[static_cast<int>(is)]))));
    }
    bool words = false;
    ranges = takeOut(ranges, checksum::kComplementOffset, checksum::kComplementOffset + checksum::kWordsLength - 1,
                     [&](const Range&) { words = true; });
    if (words)
        report.lines.append(
            QStringLiteral("Checksum words: %1 -> %2")
                .arg(checksum::stateText(checksum::readState(old)), checksum::stateText(checksum::readState(now))));
    if (!ranges.empty()) {
        std::sort(ranges.begin(), ranges.end(), [](const Range& x, const Range& y) { return x.first < y.first; });
        QStringList listed;
        for (const Range& r : ranges) {
            report.otherBytes += r.last - r.first + 1;
            if (listed.size() < kRangesListed)
                listed.append(
                    r.first == r.last
                        ? hex(r.first)
                        : QStringLiteral("%1-%2 (%3)").arg(hex(r.first), hex(r.last)).arg(r.last - r.first + 1));
        }
        if (ranges.size() > kRangesListed)
            listed.append(QStringLiteral("and %1 more ranges").arg(ranges.size() - kRangesListed));
        report.lines.append(QStringLiteral("Other bytes (file offsets): %1 in %2 %3: %4")
                                .arg(sizeText(report.otherBytes))
                                .arg(ranges.size())
                                .arg(ranges.size() == 1 ? QStringLiteral("range") : QStringLiteral("ranges"),
                                     listed.join(QStringLiteral(", "))));
    }
    return report;
}

} // namespace zorvek::table
