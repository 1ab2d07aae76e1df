// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up and memory probes, measured from outside by scripts/measure.sh.
//   startup-probe editor   the real main window, shown, then the program ends
//   startup-probe session  also opens the demo image and both editors
//   startup-probe label    a Qt main window showing one label: the floor for both
//   startup-probe empty    an empty Qt main window, which loads no font at all

#include "BenchSession.h"
#include "ui/widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    zorvek::demo::useOffscreenUnlessSet();
    zorvek::demo::useScratchSettings();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // As the program itself starts: every mode, the floors too.
    QApplication::setStyle(new zorvek::ui::DeferredIconStyle);
    const char* mode = argc > 1 ? argv[1] : "editor";

    std::unique_ptr<QMainWindow> empty;
    std::unique_ptr<zorvek::bench::BenchSession> session;
    std::unique_ptr<zorvek::demo::ScriptedSideEffects> effects;
    std::unique_ptr<zorvek::ui::MainWindow> editor;

    if (std::strcmp(mode, "empty") == 0 || std::strcmp(mode, "label") == 0) {
        empty = std::make_unique<QMainWindow>();
        if (std::strcmp(mode, "label") == 0)
            empty->setCentralWidget(new QLabel(QStringLiteral("Zorvek ROM not loaded..."), empty.get()));
        empty->show();
    } else if (std::strcmp(mode, "session") == 0) {
        session = std::make_unique<zorvek::bench::BenchSession>();
        session->form1().openMonsterEditor();
        session->form1().openCharacterEditor();
    } else {
        effects = std::make_unique<zorvek::demo::ScriptedSideEffects>();
        editor = std::make_unique<zorvek::ui::MainWindow>(*effects);
        editor->show();
    }
    // Ends once the first paint of the shown windows has been processed.
    QTimer::singleShot(0, &app, &QApplication::quit);
    return QApplication::exec();
}
