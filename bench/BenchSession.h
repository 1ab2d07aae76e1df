// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/MainWindow.h"
#include "ScriptedSideEffects.h"

#include <QTemporaryDir>

#include <memory>

namespace zorvek::bench {

// A demo image in a temporary folder, opened in the real main window. The
// folder is made in parent when given: a memory file system there shows the
// cost of the writes without the disk syncs that make steps crash-safe.
class BenchSession {
public:
    explicit BenchSession(const QString& parent = {});
    ui::MainWindow& form1() { return *m_form1; }
    // Puts the image's file back behind the window as a plain device, which
    // is written straight through, without the rollback journal: the cost of
    // a step before the journal, for comparison.
    void writeWithoutJournal();
    demo::ScriptedSideEffects& effects() { return m_effects; }

private:
    QTemporaryDir m_dir;
    demo::ScriptedSideEffects m_effects;
    std::unique_ptr<ui::MainWindow> m_form1;
};

// Writes the same image the demo tool writes.
bool writeDemoImage(const QString& path);

} // namespace zorvek::bench
