// SPDX-License-Identifier: GPL-3.0-or-later
// Times Play in Emulator on a 4 MiB image, from the key to the emulator's
// process started, against a plain copy of the image file as the floor.

#include "BenchSession.h"

#include "DemoRom.h"
#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// The demo image with its ROM data doubled, as a 4 MiB cartridge holds it.
class PlaySession {
public:
    PlaySession()
    {
        const QByteArray demo = zorvek::demo::demoImage().bytes();
        m_image = m_dir.filePath(QStringLiteral("big.smc"));
        QFile file(m_image);
        if (file.open(QIODevice::WriteOnly))
            file.write(demo + demo.mid(0x200));
        m_effects.folder = m_dir.path();
        m_effects.imagePath = m_image;
        // The smallest emulator there is: it starts and ends.
        QSettings().setValue(QStringLiteral("Emulator/Command"), QStringLiteral("/bin/true {rom}"));
        m_form1 = std::make_unique<zorvek::ui::MainWindow>(m_effects);
        m_form1->show();
        m_form1->LoadROM();
    }
    zorvek::ui::MainWindow& form1() { return *m_form1; }
    QString image() const { return m_image; }
    QString scratch(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    QString m_image;
    zorvek::demo::ScriptedSideEffects m_effects;
    std::unique_ptr<zorvek::ui::MainWindow> m_form1;
};

// The floor: the image file copied as it is, by name, without a sync.
void BM_PlainCopyOf4MiBImage(benchmark::State& state)
{
    PlaySession session;
    const QString copy = session.scratch(QStringLiteral("plain.sfc"));
    for (auto _ : state) {
        QFile::remove(copy);
        if (!QFile::copy(session.image(), copy))
            state.SkipWithError("copy failed");
    }
}
BENCHMARK(BM_PlainCopyOf4MiBImage)->Unit(benchmark::kMillisecond);

// F5: the image read, the copy made and synced under its name, the
// emulator's process started (the seam waits until it runs).
void BM_PlayFrom4MiBImage(benchmark::State& state)
{
    PlaySession session;
    auto* play = session.form1().findChild<QAction*>(QStringLiteral("mnuPlay"));
    if (!play || !play->isEnabled()) {
        state.SkipWithError("no image open");
        return;
    }
    for (auto _ : state) {
        play->trigger();
        state.PauseTiming();
        QApplication::processEvents(); // the ended processes are reaped here
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PlayFrom4MiBImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    zorvek::demo::useOffscreenUnlessSet();
    zorvek::demo::useScratchSettings();
    // Play copies go to a cache folder of this run, not the user's.
    const QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toLocal8Bit());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
