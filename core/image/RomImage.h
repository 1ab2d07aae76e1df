// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/FileIdentity.h"
#include "core/image/FileLock.h"
#include "core/image/IoResult.h"
#include "core/image/UndoHistory.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class QIODevice;

namespace zorvek {

// The one open ROM image, shared by every window. Nothing of the image is
// cached: each value is read from, or written to, the file when asked.
// Offsets are 0-based from the first byte of the file (copier header included).
class RomImage : private ByteWriter {
public:
    RomImage();
    ~RomImage() override;
    RomImage(const RomImage&) = delete;
    RomImage& operator=(const RomImage&) = delete;

    // Opens an existing file for reading and writing in place; refuses one
    // larger than any image.
    IoResult open(const QString& path);
    // Takes over an already opened device (tests inject failing devices here).
    void attach(std::unique_ptr<QIODevice> device, const QString& path);
    // Makes this a copy of bytes in memory, known by name: the one way a copy
    // of an image is made to read from or to work on. A scratch copy's writes
    // stay in it.
    enum class CopyAccess { ReadOnly, Scratch };
    void openCopy(const QByteArray& bytes, CopyAccess access, const QString& name = QStringLiteral("copy in memory"));
    void close();

    bool isOpen() const;
    // Opened from its path, not a device attached in place of a file.
    bool isFileOnDisk() const { return isOpen() && m_onDisk; }
    QString path() const { return m_path; }
    qint64 size() const;

    // Reads past the end of the file give zeros, never an error. A read the
    // system fails gives zeros as well, but the failure is kept until taken:
    // whoever read must not pass those zeros on as the file's bytes, and no
    // write goes through while one is kept.
    QByteArray readBytes(qint64 offset, qsizetype count) const;
    uint8_t readByte(qint64 offset) const;
    uint16_t readWord16(qint64 offset) const;
    uint32_t readWord32(qint64 offset) const;
    // The first failed read not yet taken; success when there is none.
    IoResult readFailure() const { return m_readFailure; }
    IoResult takeReadFailure();

    // Fails when the file ends before offset + count: writes never grow it.
    IoResult checkHolds(qint64 offset, qint64 count) const;
    // Fails when the path no longer leads to the file that was opened (a tool
    // replaced or removed it: writes would land in a file nobody sees), or
    // when another program changed the file since it was opened or last
    // written here (its bytes are no longer what the undo history and the windows
    // know). A device attached without a file is not checked.
    IoResult checkSameFile() const;

    // Each write goes straight to the file and is flushed before returning;
    // nothing is written into a replaced, removed or changed file, nor while
    // a failed read is kept. The history given to recordInto learns what it
    // changed, also the part of a write that failed half way; a write whose bytes before could
    // not be read is refused, so that undo never puts back zeros.
    IoResult writeBytes(qint64 offset, const QByteArray& bytes);
    IoResult writeByte(qint64 offset, uint8_t value);
    IoResult writeWord16(qint64 offset, uint16_t value);
    IoResult writeWord32(qint64 offset, uint32_t value);

    // While writes are held they are checked and recorded as always but kept
    // here, and reads see them; releasing hands them over in order, with the
    // bytes each replaced, to be written once their way back is on disk.
    void holdWrites();
    std::vector<ByteChange> releaseWrites();
    bool holdsWrites() const { return m_holding; }
    // Puts the file's writes onto the disk.
    IoResult sync();

    // The file's lock (see FileLock.h), nested: an inner hold never lets go
    // of, or weakens, an outer one. Without a hold, each read shares the
    // lock and each write outside a step holds it alone, for that call.
    // A device attached in place of a file has none.
    IoResult lock(LockMode mode) const;
    void unlock() const;
    // Takes the file as it stands now as the one opened: for a program that
    // has only just got the lock, after another program's step it waited for.
    void retakeIdentityAtOpening();

    // Counts every read and write call; used to check that nothing is cached
    // and that a refused save wrote nothing.
    quint64 readCount() const { return m_reads; }
    quint64 writeCount() const { return m_writes; }

    // Where writes are recorded for undo (none: not recorded); opening,
    // attaching and closing clear it, as it describes the image opened.
    void recordInto(UndoHistory* history) { m_history = history; }
    const UndoHistory* recordsInto() const { return m_history; }
    // Where undo and redo write: checked as writeBytes is, never recorded.
    ByteWriter& replayWriter() { return *this; }
    // Changes whenever another image, or none, takes the place of the open one.
    quint64 openSerial() const { return m_openSerial; }

private:
    IoResult write(qint64 offset, const QByteArray& bytes) override;
    IoResult writeChecked(qint64 offset, const QByteArray& bytes, bool record);
    // Reads into out, sized and zeroed by the caller, without counting or
    // keeping a failure: the history's own look at a write's bytes. Writes
    // being held show through.
    IoResult readRaw(qint64 offset, QByteArray& out) const;
    IoResult readDevice(qint64 offset, QByteArray& out) const;
    // How the file stands after this program wrote it.
    void retakeIdentity();

    std::unique_ptr<QIODevice> m_device;
    QString m_path;
    std::optional<FileIdentity> m_identity;
    bool m_onDisk = false;
    mutable quint64 m_reads = 0;
    mutable IoResult m_readFailure;
    quint64 m_writes = 0;
    UndoHistory* m_history = nullptr;
    bool m_holding = false;
    std::vector<ByteChange> m_held;
    quint64 m_openSerial = 0;
    mutable std::vector<LockMode> m_locks; // holds, innermost last
};

// Holds rom's lock while it lives, when it could be taken (see result).
class ImageLockHold {
public:
    ImageLockHold(const RomImage& rom, LockMode mode) : m_rom(rom), m_result(rom.lock(mode)) { }
    ~ImageLockHold()
    {
        if (m_result.ok())
            m_rom.unlock();
    }
    ImageLockHold(const ImageLockHold&) = delete;
    ImageLockHold& operator=(const ImageLockHold&) = delete;
    const IoResult& result() const { return m_result; }

private:
    const RomImage& m_rom;
    IoResult m_result;
};

} // namespace zorvek
