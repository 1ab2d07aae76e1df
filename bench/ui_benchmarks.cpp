// SPDX-License-Identifier: GPL-3.0-or-later
// Times single interactive actions on the real windows, offscreen, on the
// demo image: each iteration is one thing a user does.

#include "BenchSession.h"

#include "core/table/MonsterTable.h"
#include "ui/characters/CharacterEditor.h"
#include "ui/monsters/MonsterEditor.h"
#include "ui/monsters/MonsterTableFilter.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>

#include <benchmark/benchmark.h>

using zorvek::bench::BenchSession;

namespace {

enum class Editor { Monsters, Characters };

// Opens the editor on the session's image and finds one of its controls.
template <typename T>
T* editorControl(BenchSession& session, Editor editor, const char* name, benchmark::State& state)
{
    QWidget* window = nullptr;
    if (editor == Editor::Monsters) {
        session.form1().openMonsterEditor();
        window = session.form1().monsterEditor();
    } else {
        session.form1().openCharacterEditor();
        window = session.form1().characterEditor();
    }
    T* found = window ? window->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    if (!found)
        state.SkipWithError(name);
    return found;
}

void BM_OpenImage(benchmark::State& state)
{
    BenchSession session;
    for (auto _ : state)
        session.form1().LoadROM();
}
BENCHMARK(BM_OpenImage)->Unit(benchmark::kMicrosecond);

void BM_SelectMonster(benchmark::State& state)
{
    BenchSession session;
    auto* list = editorControl<QListWidget>(session, Editor::Monsters, "MonsterList", state);
    int row = 0;
    for (auto _ : state) {
        row = (row + 1) % 256;
        list->setCurrentRow(row);
    }
}
BENCHMARK(BM_SelectMonster)->Unit(benchmark::kMicrosecond);

void BM_SwitchCharacterSlot(benchmark::State& state)
{
    BenchSession session;
    auto* scroll = editorControl<QScrollBar>(session, Editor::Characters, "Scroll", state);
    int slot = 0;
    for (auto _ : state) {
        slot = (slot + 1) % 4;
        scroll->setValue(slot);
    }
}
BENCHMARK(BM_SwitchCharacterSlot)->Unit(benchmark::kMicrosecond);

// Linux keeps this folder in memory: syncing its files costs nothing.
const QString kMemoryFolder = QStringLiteral("/dev/shm");

bool memoryFolderMissing(const QString& folder, benchmark::State& state)
{
    if (folder.isEmpty() || QFileInfo(folder).isWritable())
        return false;
    state.SkipWithError("no memory file system at /dev/shm");
    return true;
}

// Without a folder: the plain write path of a step before the rollback journal.
const QString kNoJournal = QStringLiteral("no journal");

void BM_Save(benchmark::State& state, Editor editor, QString folder)
{
    const bool journal = folder != kNoJournal;
    if (!journal)
        folder.clear();
    if (memoryFolderMissing(folder, state))
        return;
    BenchSession session(folder);
    auto* save = editorControl<QPushButton>(session, editor, "SaveCMD", state);
    if (!journal)
        session.writeWithoutJournal();
    for (auto _ : state)
        save->click();
}
BENCHMARK_CAPTURE(BM_Save, Monster, Editor::Monsters, QString())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Save, MonsterWithoutDiskSync, Editor::Monsters, kMemoryFolder)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Save, MonsterWithoutJournal, Editor::Monsters, kNoJournal)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Save, CharacterSlot, Editor::Characters, QString())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Save, CharacterSlotWithoutDiskSync, Editor::Characters, kMemoryFolder)
    ->Unit(benchmark::kMicrosecond);

// One undo and one redo of a monster save from the File menu, with the
// open editor reloading its record and the checksum shown again each time.
void BM_UndoRedoMonsterSave(benchmark::State& state, QString folder)
{
    if (memoryFolderMissing(folder, state))
        return;
    BenchSession session(folder);
    auto* save = editorControl<QPushButton>(session, Editor::Monsters, "SaveCMD", state);
    if (!save)
        return;
    save->click();
    for (auto _ : state) {
        session.form1().mnuUndo_Click();
        session.form1().mnuRedo_Click();
    }
    if (session.effects().messageCount > 0)
        state.SkipWithError("undo or redo failed");
}
BENCHMARK_CAPTURE(BM_UndoRedoMonsterSave, OnDisk, QString())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_UndoRedoMonsterSave, WithoutDiskSync, kMemoryFolder)->Unit(benchmark::kMicrosecond);

namespace mt = zorvek::table::monstertable;

zorvek::ui::MonsterTableWindow* monsterTable(BenchSession& session, benchmark::State& state)
{
    session.form1().openMonsterTable();
    zorvek::ui::MonsterTableWindow* table = session.form1().monsterTable();
    if (!table)
        state.SkipWithError("no monster table");
    return table;
}

// From Stuff > Monster Table to the window shown with all 256 monsters read.
void BM_OpenMonsterTable(benchmark::State& state)
{
    BenchSession session;
    for (auto _ : state) {
        session.form1().openMonsterTable();
        QApplication::processEvents();
        state.PauseTiming();
        delete session.form1().monsterTable();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenMonsterTable)->Unit(benchmark::kMillisecond);

// A click on a column header: hit points one way, names the other.
void BM_SortMonsterTable(benchmark::State& state)
{
    BenchSession session;
    auto* table = monsterTable(session, state);
    if (!table)
        return;
    auto* view = table->findChild<QTableView*>(QStringLiteral("MonsterTableView"));
    bool byName = false;
    for (auto _ : state) {
        view->sortByColumn(byName ? mt::Name : mt::HitPoints, byName ? Qt::DescendingOrder : Qt::AscendingOrder);
        QApplication::processEvents();
        byName = !byName;
    }
}
BENCHMARK(BM_SortMonsterTable)->Unit(benchmark::kMicrosecond);

// One key typed into the filter box: "s", "sl", "s", "".
void BM_FilterMonsterTable(benchmark::State& state)
{
    BenchSession session;
    auto* table = monsterTable(session, state);
    if (!table)
        return;
    auto* filter = table->findChild<QLineEdit*>(QStringLiteral("FilterTXT"));
    const QString texts[] = {QStringLiteral("s"), QStringLiteral("sl"), QStringLiteral("s"), QString()};
    size_t i = 0;
    for (auto _ : state) {
        filter->setText(texts[i++ % 4]);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_FilterMonsterTable)->Unit(benchmark::kMicrosecond);

// Save of all 256 monsters, each with a changed hit point value; the
// counters compare its writes with the monster window's saves one by one.
void BM_SaveMonsterTable(benchmark::State& state)
{
    BenchSession session;
    auto* table = monsterTable(session, state);
    if (!table)
        return;
    zorvek::RomImage& rom = session.form1().session().rom();
    zorvek::ui::MonsterTableModel& model = table->model();
    int round = 0;
    quint64 writes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<zorvek::ui::MonsterTableModel::CellEdit> cells;
        for (int row = 0; row < 256; ++row)
            cells.push_back({row, mt::HitPoints, 1000 + row + (round % 2)});
        model.applyValues(cells);
        ++round;
        const quint64 before = rom.writeCount();
        state.ResumeTiming();
        table->save();
        writes = rom.writeCount() - before;
    }
    // The same values saved one monster at a time, on a copy.
    zorvek::RomImage copy;
    copy.openCopy(rom.readBytes(0, static_cast<int>(rom.size())), zorvek::RomImage::CopyAccess::Scratch,
                  QStringLiteral("copy"));
    for (int row = 0; row < 256; ++row)
        mt::writeSaves(copy, {{row, {}}}, QDateTime::currentDateTime());
    state.counters["writes"] = static_cast<double>(writes);
    state.counters["field_by_field_writes"] = static_cast<double>(copy.writeCount());
    if (session.effects().messageCount > 0 || writes == 0)
        state.SkipWithError("the save failed");
}
BENCHMARK(BM_SaveMonsterTable)->Unit(benchmark::kMillisecond);

// Compare With...: read the original (here the image itself), check it and mark every cell.
void BM_CompareMonsterTable(benchmark::State& state)
{
    BenchSession session;
    auto* table = monsterTable(session, state);
    if (!table)
        return;
    for (auto _ : state) {
        table->compareWith();
        QApplication::processEvents();
    }
    if (!table->model().hasOriginal())
        state.SkipWithError("no original");
}
BENCHMARK(BM_CompareMonsterTable)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    zorvek::demo::useOffscreenUnlessSet();
    zorvek::demo::useScratchSettings();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
