// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DryRun.h"

#include "data/CharacterTable.h"
#include "core/characters/CharacterRecord.h"
#include "core/header/CopierHeader.h"
#include "core/image/RomChecksum.h"
#include "core/image/ImageWrite.h"
#include "core/monsters/MonsterRecord.h"
#include "core/table/MonsterTable.h"
#include "core/table/TableCheck.h"
#include "data/GameData.h"

#include <functional>
#include <map>
#include <set>

namespace zorvek::cli {

using namespace table;

namespace {

// One table's records, as the dry run names them.
struct RecordSpan {
    const TableDefinition& table;
    std::function<RecordCells(RomImage&, int, CellValues)> cells;
    QString (*title)(int record, const RecordCells& cells);
};

QString monsterTitle(int record, const RecordCells& cells)
{
    return QStringLiteral("monster %1 %2").arg(record).arg(cells.label);
}

QString characterTitle(int slot, const RecordCells&) { return QStringLiteral("character %1").arg(slot); }

QString hexOffset(qint64 offset) { return QStringLiteral("0x%1").arg(offset, 6, 16, QLatin1Char('0')).toUpper(); }

// Every changed byte falls to a record, the stamp, the checksum words or, should the
// import ever write elsewhere, a line of its own.
struct ChangedBytes {
    std::map<int, std::set<qint64>> monsters, characters;
    bool stamp = false;
    bool checksum = false;
    std::set<qint64> elsewhere;
};

ChangedBytes classify(const QByteArray& before, const QByteArray& after)
{
    ChangedBytes changed;
    const qint64 monsterEnd = monsters::kTableOffset + qint64{monsters::kRecordSize} * monsters::kRecordCount;
    const qint64 characterEnd = characters::CharacterRecord::kTableStart
        + characters::CharacterRecord::kSlotStride * characters::CharacterRecord::kSlotCount;
    for (qint64 at = 0; at < after.size(); ++at) {
        if (at < before.size() && before[at] == after[at])
            continue;
        if (at < copier::kHeaderSize)
            changed.stamp = true;
        else if (at >= checksum::kComplementOffset && at < checksum::kComplementOffset + checksum::kWordsLength)
            changed.checksum = true;
        else if (at >= monsters::kTableOffset && at < monsterEnd)
            changed.monsters[static_cast<int>((at - monsters::kTableOffset) / monsters::kRecordSize)].insert(at);
        else if (at >= characters::CharacterRecord::kTableStart && at < characterEnd)
            changed
                .characters[static_cast<int>((at - characters::CharacterRecord::kTableStart)
                                             / characters::CharacterRecord::kSlotStride)]
                .insert(at);
        else
            changed.elsewhere.insert(at);
    }
    return changed;
}

QString describeRecord(const RecordSpan& span, int record, RomImage& before, RomImage& after,
                       const std::set<qint64>& bytes)
{
    ChangedRow row{record, 0, {}, span.cells(before, record, CellValues::Stored), {}};
    row.values = span.cells(after, record, CellValues::Stored).values;
    for (size_t column = 0; column < row.values.size(); ++column)
        if (row.values[column] != row.current.values[column])
            row.changed.push_back(static_cast<int>(column));
    QString text = span.title(record, row.current) + QStringLiteral(": ");
    if (row.changed.empty()) {
        // Bytes no column shows: still listed, by where they are.
        QStringList offsets;
        for (const qint64 at : bytes)
            offsets.append(hexOffset(at));
        return text + QStringLiteral("bytes at ") + offsets.join(QStringLiteral(", "));
    }
    return text + describeChanges(span.table, row);
}

} // namespace

DryRunReport dryRunReport(const QByteArray& imageBytes, const ImportPlan& plan, bool fixChecksum, const QDateTime& now)
{
    DryRunReport report;
    // The import's own write path, on a copy: whatever it would write is here.
    RomImage scratch;
    scratch.openCopy(imageBytes, RomImage::CopyAccess::Scratch);
    ImageWriteSession session(scratch, [now] { return now; });
    session.setOptions({false, fixChecksum});
    if (const CommandOutcome written = commitImport(session, imageBytes, plan, now); !written.ok()) {
        report.result = written.result;
        return report;
    }
    const QByteArray afterBytes = scratch.readBytes(0, scratch.size());

    RomImage before, after;
    before.openCopy(imageBytes, RomImage::CopyAccess::ReadOnly);
    after.openCopy(afterBytes, RomImage::CopyAccess::ReadOnly);
    const ChangedBytes changed = classify(imageBytes, afterBytes);
    const RecordSpan monsterSpan{monstertable::definition(),
                                 [](RomImage& rom, int index, CellValues values) {
                                     return monstertable::cells(rom, index, data::monsterNames().value(index), values);
                                 },
                                 &monsterTitle};
    const RecordSpan characterSpan{charactertable::definition(), &charactertable::cells, &characterTitle};
    QStringList lines;
    for (const auto& [span, records] :
         {std::pair{&monsterSpan, &changed.monsters}, std::pair{&characterSpan, &changed.characters}})
        for (const auto& [record, bytes] : *records)
            lines.append(describeRecord(*span, record, before, after, bytes));
    const checksum::State stateAfter = checksum::readState(after);
    if (changed.checksum)
        lines.append(QStringLiteral("checksum words: %1 -> %2")
                         .arg(checksum::stateText(checksum::readState(before)), checksum::stateText(stateAfter)));
    if (!changed.elsewhere.empty())
        lines.append(QStringLiteral("%1 more bytes, from %2 to %3")
                         .arg(changed.elsewhere.size())
                         .arg(hexOffset(*changed.elsewhere.begin()), hexOffset(*changed.elsewhere.rbegin())));
    for (const QString& line : lines)
        report.lines += line.toUtf8() + '\n';

    QString summary =
        QStringLiteral("Dry run: %1 would change").arg(changeCount(changed.monsters.size(), changed.characters.size()));
    if (changed.stamp)
        summary += QStringLiteral(", after the editor stamp");
    if (changed.checksum)
        summary += QStringLiteral(", with the checksum words");
    summary += QLatin1Char('.');
    if (!changed.checksum && !stateAfter.valid())
        summary += QStringLiteral(
                       " The checksum words would not be written: the checksum would be %1; "
                       "--fix-checksum writes them.")
                       .arg(checksum::stateText(stateAfter));
    report.summary = summary + QStringLiteral(" Nothing was written.");
    return report;
}

} // namespace zorvek::cli
