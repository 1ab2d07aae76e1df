// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageWriteSession.h"

#include "core/image/DurableFiles.h"
#include "core/image/ImageBackup.h"
#include "core/image/RollbackJournal.h"
#include "core/image/RomChecksum.h"
#include "core/image/TestHold.h"

namespace zorvek {

ImageWriteSession::ImageWriteSession(RomImage& rom, Now now, QObject* parent)
    : QObject(parent), m_rom(rom), m_now(std::move(now)), m_serial(rom.openSerial())
{
    m_rom.recordInto(&m_history);
    durable::ignoreFileSizeSignal();
}

ImageWriteSession::~ImageWriteSession()
{
    if (m_rom.recordsInto() == &m_history)
        m_rom.recordInto(nullptr);
}

void ImageWriteSession::followImage()
{
    // Another image, or the same one opened again, is a new session.
    if (m_serial == m_rom.openSerial())
        return;
    m_serial = m_rom.openSerial();
    m_firstWriteDone = false;
    m_backupPath.clear();
    m_pruned = false;
}

QString ImageWriteSession::backupPath() const { return m_serial == m_rom.openSerial() ? m_backupPath : QString(); }

IoResult ImageWriteSession::check(qint64 offset, qint64 count) const
{
    if (!m_rom.isOpen())
        return IoResult::failure(QStringLiteral("No ROM image is open."));
    if (auto r = m_rom.checkSameFile(); !r.ok())
        return r;
    // Someone read zeros in place of the file's bytes and did not say so.
    if (auto r = m_rom.readFailure(); !r.ok())
        return r;
    return m_rom.checkHolds(offset, count);
}

IoResult ImageWriteSession::checkWritable()
{
    followImage();
    return check(0, 0);
}

IoResult ImageWriteSession::prepareFirstWrite(bool* backupFailed)
{
    if (auto r = checkWritable(); !r.ok())
        return r;
    if (m_firstWriteDone)
        return IoResult::success();
    // A device attached in place of a file has no file to copy.
    if (m_options.backUpBeforeFirstWrite && m_rom.isFileOnDisk()) {
        QString made;
        if (auto r = backup::make(m_rom.path(), m_now(), &made); !r.ok()) {
            *backupFailed = true;
            return r;
        }
        m_backupPath = made;
    }
    m_firstWriteDone = true;
    return IoResult::success();
}

IoResult ImageWriteSession::fixChecksumWords()
{
    const QByteArray words = checksum::wordsFor(checksum::compute(m_rom));
    const bool same = m_rom.readBytes(checksum::kComplementOffset, checksum::kWordsLength) == words;
    if (auto r = m_rom.takeReadFailure(); !r.ok())
        return r;
    if (same)
        return IoResult::success();
    return m_rom.writeBytes(checksum::kComplementOffset, words);
}

ImageWriteSession::Commit ImageWriteSession::runStep(const std::function<IoResult()>& step)
{
    Commit out;
    // A command run inside another's step joins it.
    if (m_rom.holdsWrites()) {
        out.result = step();
        out.left = Left::Step;
        return out;
    }
    m_rom.holdWrites();
    const IoResult made = step();
    const std::vector<ByteChange> writes = m_rom.releaseWrites();
    if (made.ok())
        out = commitHeld(writes);
    else
        out.result = made; // refused before any byte reached the file
    out.held = true;
    if (out.left == Left::Part)
        m_history.clear(); // the file matches no point of it
    return out;
}

ImageWriteSession::Commit ImageWriteSession::commitHeld(const std::vector<ByteChange>& writes)
{
    Commit out;
    if (writes.empty())
        return out;
    const QString path = m_rom.path();
    const bool journal = m_rom.isFileOnDisk();
    if (journal)
        if (IoResult r = rollback::write(path, m_rom.size(), writes); !r.ok()) {
            out.result = r;
            return out;
        }
    ByteWriter& file = m_rom.replayWriter();
    std::size_t landed = 0;
    IoResult failed;
    for (; landed < writes.size() && failed.ok(); ++landed)
        failed = file.write(writes[landed].offset, writes[landed].after);
    if (failed.ok()) {
        testhold::reached("image-written");
        failed = m_rom.sync();
    }
    if (!failed.ok()) {
        // The failed write itself may have landed in part, or not at all:
        // then writing it back may fail as it did (past a file size limit),
        // and the file holding the bytes from before is as good.
        const auto holdsBefore = [this](const ByteChange& w) {
            const bool same = m_rom.readBytes(w.offset, static_cast<int>(w.before.size())) == w.before;
            return m_rom.takeReadFailure().ok() && same;
        };
        IoResult back;
        for (std::size_t j = landed; j-- > 0;) {
            const IoResult r = file.write(writes[j].offset, writes[j].before);
            if (!r.ok() && !(j + 1 == landed && holdsBefore(writes[j])) && back.ok())
                back = r;
        }
        if (back.ok())
            back = m_rom.sync();
        // Left behind, the journal would only write the same bytes again.
        if (back.ok() && journal)
            rollback::remove(path);
        out.result = failed;
        out.left = back.ok() ? Left::TakenBack : Left::Part;
        if (!journal)
            out.takeBack = back;
        return out;
    }
    out.left = Left::Step;
    if (!journal)
        return out;
    if (IoResult r = rollback::remove(path); !r.ok())
        out.result = IoResult::failure(
            QStringLiteral("The changes were written, but their rollback journal \"%1\" could not be removed: %2\n"
                           "Delete it before the image is opened again, or that opening takes the changes back.")
                .arg(rollback::journalPath(path), r.error));
    return out;
}

void ImageWriteSession::pruneBackups()
{
    // Only once the session's first command stands, and never its own copy.
    if (m_pruned || m_backupPath.isEmpty())
        return;
    backup::prune(m_rom.path(), m_backupPath);
    m_pruned = true;
}

CommandOutcome ImageWriteSession::run(const QString& command, CommandKind kind, const std::function<IoResult()>& writes)
{
    CommandOutcome out;
    {
        // Alone on the file from the backup to the journal's removal: no other
        // program reads half of the step, takes back its journal or writes its own.
        const ImageLockHold alone(m_rom, LockMode::Exclusive);
        out.result = alone.result();
        if (out.ok())
            out.result = prepareFirstWrite(&out.backupFailed);
        if (out.ok()) {
            m_history.begin(command);
            const Commit step = runStep([&] {
                IoResult result = writes();
                if (result.ok() && kind == CommandKind::Save && m_options.fixChecksumOnSave)
                    result = fixChecksumWords();
                return result;
            });
            if (!stands(step))
                m_history.dropOpen();
            else
                m_history.end();
            out.result = step.result;
            out.takenBack = step.left == Left::TakenBack;
            out.partlyWritten = step.left == Left::Part;
            out.takeBackResult = step.takeBack;
            if (out.ok())
                pruneBackups();
        }
    }
    emit written();
    return out;
}

ReplayOutcome ImageWriteSession::undo() { return replay(true); }
ReplayOutcome ImageWriteSession::redo() { return replay(false); }

ReplayOutcome ImageWriteSession::replay(bool back)
{
    ReplayOutcome out;
    bool changed = false;
    {
        const ImageLockHold alone(m_rom, LockMode::Exclusive);
        out.result = alone.result().ok() ? checkWritable() : alone.result();
        if (out.result.ok()) {
            bool moved = false;
            const Commit step = runStep([&] {
                out = back ? m_history.undo(m_rom.replayWriter()) : m_history.redo(m_rom.replayWriter());
                moved = out.result.ok();
                return out.result;
            });
            if (moved && !stands(step))
                m_history.takeBackReplay(back);
            if (step.held) {
                out.result = step.result;
                out.historyDropped = out.historyDropped || step.left == Left::Part;
            }
            changed = out.result.ok() || out.historyDropped || (step.held && step.left == Left::Step);
        }
    }
    // The file changed: whatever shows it must look again.
    if (changed)
        emit replayed(out.step);
    emit written();
    return out;
}

} // namespace zorvek
