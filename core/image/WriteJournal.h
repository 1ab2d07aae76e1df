// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace zorvek {

// Where undo and redo write. It must not record into the journal it serves.
class ByteWriter {
public:
    virtual ~ByteWriter() = default;
    virtual IoResult write(qint64 offset, const QByteArray& bytes) = 0;
};

struct JournalChange {
    qint64 offset = 0;
    QByteArray before;
    QByteArray after;
};

// The writes of one command, in the order they were made.
struct JournalStep {
    QString command;
    std::vector<JournalChange> changes;
    bool touches(qint64 offset, qint64 length) const;
};

struct ReplayOutcome {
    IoResult result;
    JournalStep step;             // the step undone or redone, also when it failed
    bool journalDropped = false;  // the file could not be put back either: no way back is left
};

// Every write to the open image, grouped into one step per command, from the
// image as it was opened to now.
class WriteJournal {
public:
    // Steps nest: writes inside an inner begin/end join the outer step.
    void begin(const QString& command);
    void end();
    // Outside a step a write still becomes one of its own, so that the journal
    // always describes the file.
    void record(qint64 offset, const QByteArray& before, const QByteArray& after);

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }
    // The command names of the next undo and redo; empty when there is none.
    QString undoText() const;
    QString redoText() const;

    // Writes the bytes before of the newest step, last change first.
    ReplayOutcome undo(ByteWriter& writer);
    // Writes the bytes after of the newest undone step, first change first.
    ReplayOutcome redo(ByteWriter& writer);

    void clear();

private:
    void push(JournalStep step);
    ReplayOutcome moveTop(std::vector<JournalStep>& from, std::vector<JournalStep>& to, bool back,
                          ByteWriter& writer);

    std::vector<JournalStep> m_undo;
    std::vector<JournalStep> m_redo;
    JournalStep m_open;
    int m_depth = 0;
};

// Opens a step for its lifetime.
class JournalScope {
public:
    JournalScope(WriteJournal& journal, const QString& command) : m_journal(journal) { journal.begin(command); }
    ~JournalScope() { m_journal.end(); }
    JournalScope(const JournalScope&) = delete;
    JournalScope& operator=(const JournalScope&) = delete;

private:
    WriteJournal& m_journal;
};

} // namespace zorvek
