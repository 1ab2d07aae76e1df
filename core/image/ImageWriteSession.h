// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "core/image/UndoHistory.h"

#include <QDateTime>
#include <QObject>

#include <functional>

namespace zorvek {

// Saves change the ROM data; only they take the checksum words along when
// the checksum is fixed on every save. The stamp and the fix itself do not.
enum class CommandKind { Save, Other };

struct WriteOptions {
    bool backUpBeforeFirstWrite = true;
    bool fixChecksumOnSave = false;
};

struct CommandOutcome {
    IoResult result;
    // The copy before the first write could not be made, so nothing was written.
    bool backupFailed = false;
    // Writes had reached the file when one failed; they were written back.
    bool takenBack = false;
    // Writing them back failed too: the file may hold part of the step, and
    // its rollback journal stays for the next opening to take it back.
    bool partlyWritten = false;
    // Why writing them back failed, when no journal stays to do it (a device
    // attached in place of a file has none).
    IoResult takeBackResult;
    bool ok() const { return result.ok(); }
    // Only a result: nothing was written.
    static CommandOutcome of(IoResult why)
    {
        CommandOutcome out;
        out.result = std::move(why);
        return out;
    }
};

// The one way a command writes to the open image: each command becomes one
// step of its undo history, after the checks every write needs and the
// backup before the first write of the session.
class ImageWriteSession : public QObject {
    Q_OBJECT
public:
    // The time a backup is named by.
    using Now = std::function<QDateTime()>;

    // Records rom's writes into the session's undo history while it lives.
    ImageWriteSession(RomImage& rom, Now now, QObject* parent = nullptr);
    ~ImageWriteSession() override;

    RomImage& rom() { return m_rom; }
    void setOptions(const WriteOptions& options) { m_options = options; }
    const WriteOptions& options() const { return m_options; }

    // Whether a command could write [offset, offset + count): an image open,
    // still the file at its path, and long enough. Commands check this first,
    // so that a refused one leaves no backup behind either.
    IoResult check(qint64 offset, qint64 count) const;

    // Runs writes as the step named command. Nothing is written into a
    // replaced file or when the backup fails. The step's writes are made in
    // memory first, then their way back goes into the rollback journal beside
    // the image and onto the disk, then they reach the image and the disk,
    // then the journal goes: a crash at any point leaves the whole step or
    // none of it. A step that fails part way is written back, here and only
    // here, for commands, undo and redo alike. A device attached in place of
    // a file takes the same way without the journal.
    CommandOutcome run(const QString& command, CommandKind kind, const std::function<IoResult()>& writes);

    // Newest step first, with the checks of any write; a replaced file is
    // refused before the history is touched.
    ReplayOutcome undo();
    ReplayOutcome redo();
    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    QString undoText() const { return m_history.undoText(); }
    QString redoText() const { return m_history.redoText(); }

    // The copy made for the open image; empty until one was made.
    QString backupPath() const;

signals:
    // After every command, undo and redo, also a failed one: the file may have changed.
    void written();
    // After an undo or redo that changed the file.
    void replayed(const zorvek::UndoStep& step);

private:
    // What a step left in the file.
    enum class Left { Nothing, Step, TakenBack, Part };
    struct Commit {
        IoResult result;
        Left left = Left::Nothing;
        bool held = false; // a step of its own, not joined to an outer one
        IoResult takeBack; // why writing back failed, when no journal stays
    };
    // Runs step's writes held, then commits them. The undo history is the
    // caller's to settle: a held step counts only if it stands.
    Commit runStep(const std::function<IoResult()>& step);
    static bool stands(const Commit& c) { return !c.held || (c.left != Left::Nothing && c.left != Left::TakenBack); }
    Commit commitHeld(const std::vector<ByteChange>& writes);
    void pruneBackups();
    void followImage();
    IoResult checkWritable();
    IoResult prepareFirstWrite(bool* backupFailed);
    // Only when they differ: a save that leaves the sum alone adds nothing.
    IoResult fixChecksumWords();
    ReplayOutcome replay(bool back);

    RomImage& m_rom;
    Now m_now;
    UndoHistory m_history;
    WriteOptions m_options;
    // The image m_firstWriteDone and m_backupPath speak of.
    quint64 m_serial = 0;
    bool m_firstWriteDone = false;
    QString m_backupPath;
    bool m_pruned = false;
};

} // namespace zorvek
