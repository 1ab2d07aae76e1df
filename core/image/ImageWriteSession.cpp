#include "core/image/ImageWriteSession.h"

#include "core/image/ImageBackup.h"
#include "core/image/RomChecksum.h"

namespace zorvek {

ImageWriteSession::ImageWriteSession(RomImage& rom, Clock clock, QObject* parent)
    : QObject(parent), m_rom(rom), m_clock(std::move(clock)), m_serial(rom.openSerial())
{
}

void ImageWriteSession::followImage()
{
    // Another image, or the same one opened again, is a new session.
    if (m_serial == m_rom.openSerial())
        return;
    m_serial = m_rom.openSerial();
    m_firstWriteDone = false;
    m_backupPath.clear();
}

QString ImageWriteSession::backupPath() const
{
    return m_serial == m_rom.openSerial() ? m_backupPath : QString();
}

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
        if (auto r = backup::make(m_rom.path(), m_clock(), &made); !r.ok()) {
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

CommandOutcome ImageWriteSession::run(const QString& command, CommandKind kind,
                                      const std::function<IoResult()>& writes)
{
    CommandOutcome out;
    out.result = prepareFirstWrite(&out.backupFailed);
    if (out.ok()) {
        JournalScope step(m_rom.journal(), command);
        out.result = writes();
        if (out.ok() && kind == CommandKind::Save && m_options.fixChecksumOnSave)
            out.result = fixChecksumWords();
    }
    emit written();
    return out;
}

ReplayOutcome ImageWriteSession::undo() { return replay(true); }
ReplayOutcome ImageWriteSession::redo() { return replay(false); }

ReplayOutcome ImageWriteSession::replay(bool back)
{
    ReplayOutcome out;
    out.result = checkWritable();
    if (out.result.ok()) {
        WriteJournal& journal = m_rom.journal();
        out = back ? journal.undo(m_rom.replayWriter()) : journal.redo(m_rom.replayWriter());
        if (out.result.ok() || out.journalDropped)
            emit replayed(out.step);
    }
    emit written();
    return out;
}

} // namespace zorvek
