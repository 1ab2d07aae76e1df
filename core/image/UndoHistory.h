// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace zorvek {

// Where undo and redo write. It must not record into the history it serves.
class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    virtual IoResult write(qint64 offset, const QByteArray& bytes) = 0;
};

struct ByteChange {
    qint64 offset = 0;
    QByteArray before;
    QByteArray after;
};

// The writes of one command, in the order they were made.
struct UndoStep {
    QString command;
    std::vector<ByteChange> changes;
    bool touches(qint64 offset, qint64 length) const;
};

struct ReplayOutcome {
    IoResult result;
    UndoStep step;               // the step undone or redone, also when it failed
    bool historyDropped = false; // the file could not be put back as it was: no way back is left
};

// Every write to the open image, grouped into one step per command, from the
// image as it was opened to now.
class UndoHistory {
public:
    // Steps nest: writes inside an inner begin/end join the outer step.
    void begin(const QString& command);
    void end();
    // Outside a step a write still becomes one of its own, so that the history
    // always describes the file.
    void record(qint64 offset, const QByteArray& before, const QByteArray& after);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The command names of the next undo and redo; empty when there is none.
    QString undoText() const;
    QString redoText() const;

    // Writes the bytes before of the newest step, last change first; a step
    // whose writes fail stays where it was.
    ReplayOutcome undo(ByteWriter& writer);
    // Writes the bytes after of the newest undone step, first change first.
    ReplayOutcome redo(ByteWriter& writer);

    // For a step held back and then not written: the open step goes without
    // a trace (in place of end), or the step the last undo or redo moved
    // goes back where it was.
    void dropOpen();
    void takeBackReplay(bool undone);

    void clear();

private:
    void push(UndoStep step);
    ReplayOutcome moveTop(std::vector<UndoStep>& from, std::vector<UndoStep>& to, bool back, ByteWriter& writer);

    std::vector<UndoStep> m_undo;
    std::vector<UndoStep> m_redo;
    UndoStep m_open;
    int m_depth = 0;
};

// Opens a step for its lifetime.
class UndoScope {
public:
    UndoScope(UndoHistory& history, const QString& command) : m_history(history) { history.begin(command); }
    ~UndoScope() { m_history.end(); }
    UndoScope(const UndoScope&) = delete;
    UndoScope& operator=(const UndoScope&) = delete;

private:
    UndoHistory& m_history;
};

} // namespace zorvek
