#pragma once

#include "ui/MainWindow.h"
#include "ScriptedSideEffects.h"

#include <QTemporaryDir>

#include <memory>

namespace zorvek::bench {

// A demo image in a temporary folder, opened in the real main window.
class BenchSession {
public:
    BenchSession();
    ui::MainWindow& form1() { return *m_form1; }
    demo::ScriptedSideEffects& effects() { return m_effects; }

private:
    QTemporaryDir m_dir;
    demo::ScriptedSideEffects m_effects;
    std::unique_ptr<ui::MainWindow> m_form1;
};

// Writes the same image the demo tool writes.
bool writeDemoImage(const QString& path);

} // namespace zorvek::bench
