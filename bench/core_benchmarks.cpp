// SPDX-License-Identifier: GPL-3.0-or-later
// Times the byte-level work behind undo, backup, checksum and patches on a
// whole 2 MiB image, on files in a temporary folder.

#include "DemoRom.h"
#include "core/header/EditorStamp.h"
#include "core/image/ImageBackup.h"
#include "core/image/RomChecksum.h"
#include "core/image/UndoHistory.h"
#include "core/monsters/MonsterRecord.h"
#include "core/image/ImageWrite.h"
#include "data/KnownRecords.h"
#include "patches/BpsPatch.h"
#include "patches/PatchMaker.h"
#include "patches/PatchPreview.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace zorvek;

namespace {

struct ImageOnDisk {
    ImageOnDisk()
    {
        demo::demoImage().writeTo(path);
        rom.open(path);
    }
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("demo.smc"));
    RomImage rom;
};

void BM_ChecksumOfWholeImage(benchmark::State& state)
{
    ImageOnDisk image;
    for (auto _ : state)
        benchmark::DoNotOptimize(checksum::compute(image.rom));
}
BENCHMARK(BM_ChecksumOfWholeImage)->Unit(benchmark::kMillisecond);

// A monster save as the undo history records it: the stamp, then each
// field as the editor writes it (17 writes), then undone and redone.
void BM_UndoRedoMonsterSave(benchmark::State& state)
{
    UndoHistory history; // outlives the image, which clears it on closing
    ImageOnDisk image;
    image.rom.recordInto(&history);
    const monsters::MonsterRecord record(image.rom, 42);
    const QByteArray stampBytes = stamp::text(QDateTime::currentDateTime()).toLatin1();
    const std::pair<int, int> fields[] = {{0x0C, 2}, {0x0E, 2}, {0x08, 2}, {0x00, 1}, {0x01, 1}, {0x02, 1},
                                          {0x03, 1}, {0x04, 1}, {0x06, 1}, {0x07, 1}, {0x15, 1}, {0x17, 1},
                                          {0x10, 1}, {0x19, 1}, {0x1C, 1}, {0x1D, 1}, {0x1F, 1}};
    {
        UndoScope step(history, QStringLiteral("Save of a monster"));
        image.rom.writeBytes(stamp::kOffset, stampBytes);
        for (const auto& [k, width] : fields)
            image.rom.writeBytes(record.offsetOf(k), QByteArray(width, '\x5A'));
    }
    for (auto _ : state) {
        if (!history.undo(image.rom.replayWriter()).result.ok() || !history.redo(image.rom.replayWriter()).result.ok())
            state.SkipWithError("replay failed");
    }
}
BENCHMARK(BM_UndoRedoMonsterSave)->Unit(benchmark::kMillisecond);

void BM_FirstWriteBackup(benchmark::State& state)
{
    ImageOnDisk image;
    QDateTime when(QDate(2024, 1, 1), QTime(0, 0));
    for (auto _ : state) {
        when = when.addSecs(1);
        QString made;
        if (!backup::make(image.path, when, &made).ok())
            state.SkipWithError("backup failed");
        backup::prune(image.path, made);
    }
}
BENCHMARK(BM_FirstWriteBackup)->Unit(benchmark::kMillisecond);

// Every monster record rewritten and one byte in 97 of the rest: a heavy hack.
void BM_CreatePatch(benchmark::State& state, patches::PatchFormat format)
{
    ImageOnDisk image;
    QByteArray edited = patches::romDataOf(image.rom);
    for (qsizetype i = 2; i < edited.size(); i += 97)
        edited[i] = static_cast<char>(edited[i] ^ 0x3C);
    for (qsizetype i = 0; i < monsters::kRecordCount * monsters::kRecordSize; ++i)
        edited[monsters::kTableOffset - 0x200 + i] ^= 0x01;
    const QString patchPath = image.dir.filePath(QStringLiteral("demo.patch"));
    for (auto _ : state) {
        if (!patches::createPatchFile(image.path, edited, patchPath, format).ok())
            state.SkipWithError("patch failed");
    }
    state.counters["patch KiB"] = static_cast<double>(QFile(patchPath).size()) / 1024;
}
BENCHMARK_CAPTURE(BM_CreatePatch, Ips, patches::PatchFormat::Ips)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreatePatch, Bps, patches::PatchFormat::Bps)->Unit(benchmark::kMillisecond);

// A balance patch that changes every field of every monster.
struct EveryMonsterPatch {
    EveryMonsterPatch()
    {
        QByteArray edited = rom;
        for (qsizetype i = 0; i < monsters::kRecordCount * monsters::kRecordSize; ++i)
            edited[monsters::kTableOffset - 0x200 + i] ^= 0x01;
        patch = {QStringLiteral("balance.bps"), patches::bps::create(rom, edited).bytes};
    }
    ImageOnDisk image;
    QByteArray bytes = image.rom.readBytes(0, static_cast<int>(image.rom.size()));
    QByteArray rom = bytes.mid(0x200);
    patches::PatchFile patch;
};

void BM_PreviewPatchOfEveryMonster(benchmark::State& state)
{
    EveryMonsterPatch hack;
    for (auto _ : state) {
        const patches::PatchPreview preview = patches::previewPatches(hack.bytes, {hack.patch}, data::knownRecords());
        if (preview.report.records.front().size() != monsters::kRecordCount)
            state.SkipWithError("not every monster in the preview");
    }
}
BENCHMARK(BM_PreviewPatchOfEveryMonster)->Unit(benchmark::kMillisecond);

// The step as the window makes it: read the image, apply, write through the
// rollback journal (with its syncs); undone outside the timing.
void BM_ApplyPatchOfEveryMonster(benchmark::State& state)
{
    EveryMonsterPatch hack;
    ImageWriteSession session(hack.image.rom, [] { return QDateTime::currentDateTime(); });
    session.setOptions({false, false});
    for (auto _ : state) {
        RomImage& rom = hack.image.rom;
        const QByteArray image = rom.readBytes(0, static_cast<int>(rom.size()));
        const patches::PatchRun run = patches::applyPatches(image.mid(0x200), {hack.patch});
        const CommandOutcome out =
            commitThroughCopy(session, image, QStringLiteral("Apply patch"), [&](RomImage& copy) {
                if (IoResult r = SaveQuenHeader(copy, QDateTime::currentDateTime()); !r.ok())
                    return r;
                return copy.writeBytes(0x200, run.romData);
            });
        if (!out.ok())
            state.SkipWithError("apply failed");
        state.PauseTiming();
        session.undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ApplyPatchOfEveryMonster)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
