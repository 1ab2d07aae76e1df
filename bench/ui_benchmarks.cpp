// Times single interactive actions on the real windows, offscreen, on the
// demo image: each iteration is one thing a user does.

#include "BenchSession.h"

#include "ui/characters/CharacterEditor.h"
#include "ui/monsters/MonsterEditor.h"

#include <QApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

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
