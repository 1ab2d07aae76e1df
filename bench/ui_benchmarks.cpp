// Times single interactive actions on the real windows, offscreen, on the
// demo image: each iteration is one thing a user does.

#include "BenchSession.h"

#include "ui/characters/CharacterEditor.h"
#include "ui/monsters/MonsterEditor.h"

#include <QApplication>
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

void BM_Save(benchmark::State& state, Editor editor)
{
    BenchSession session;
    auto* save = editorControl<QPushButton>(session, editor, "SaveCMD", state);
    for (auto _ : state)
        save->click();
}
BENCHMARK_CAPTURE(BM_Save, Monster, Editor::Monsters)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Save, CharacterSlot, Editor::Characters)->Unit(benchmark::kMicrosecond);

// One undo and one redo of a monster save from the File menu, with the
// open editor reloading its record and the checksum shown again each time.
void BM_UndoRedoMonsterSave(benchmark::State& state)
{
    BenchSession session;
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
BENCHMARK(BM_UndoRedoMonsterSave)->Unit(benchmark::kMicrosecond);

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
