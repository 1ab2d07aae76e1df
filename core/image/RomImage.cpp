// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/RomImage.h"

#include "core/image/DurableFiles.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/LittleEndian.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <utility>

namespace zorvek {

RomImage::RomImage() = default;
RomImage::~RomImage() { close(); }

IoResult RomImage::open(const QString& path)
{
    close();
    if (path.isEmpty())
        return IoResult::failure(QStringLiteral("No file name was given."));
    if (QFileInfo(path).isDir())
        return IoResult::failure(QStringLiteral("It is a folder, not a file."));
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: every write reaches the system at once, as the editor promises.
    // ExistingOnly: a file removed since it was chosen must not come back empty.
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered | QIODevice::ExistingOnly)) {
        if (!QFileInfo::exists(path))
            return IoResult::failure(QStringLiteral("The file does not exist."));
        return IoResult::failure(file->errorString());
    }
    if (IoResult r = checkImageSize(file->size()); !r.ok())
        return r;
    m_identity = identityOfHandle(file->handle());
    m_device = std::move(file);
    m_path = path;
    m_onDisk = true;
    return IoResult::success();
}

void RomImage::attach(std::unique_ptr<QIODevice> device, const QString& path)
{
    close();
    m_device = std::move(device);
    m_path = path;
}

void RomImage::openCopy(const QByteArray& bytes, CopyAccess access, const QString& name)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(access == CopyAccess::Scratch ? QIODevice::ReadWrite : QIODevice::ReadOnly);
    attach(std::move(buffer), name);
}

void RomImage::close()
{
    if (m_device)
        m_device->close();
    m_device.reset();
    m_path.clear();
    m_identity.reset();
    m_onDisk = false;
    m_readFailure = IoResult::success();
    if (m_history)
        m_history->clear();
    m_holding = false;
    m_held.clear();
    m_locks.clear(); // closing the file let go of its lock
    ++m_openSerial;
}

bool RomImage::isOpen() const { return m_device && m_device->isOpen(); }

qint64 RomImage::size() const { return isOpen() ? m_device->size() : 0; }

QByteArray RomImage::readBytes(qint64 offset, qsizetype count) const
{
    ++m_reads;
    QByteArray out(qMax(count, qsizetype{0}), '\0');
    // Once a read failed, what follows is refused anyway: no second wait for the lock.
    std::optional<ImageLockHold> hold;
    if (m_readFailure.ok())
        hold.emplace(*this, LockMode::Shared);
    const IoResult r = !hold || hold->result().ok() ? readRaw(offset, out) : hold->result();
    if (!r.ok() && m_readFailure.ok())
        m_readFailure = r;
    return out;
}

IoResult RomImage::takeReadFailure() { return std::exchange(m_readFailure, IoResult::success()); }

IoResult RomImage::readRaw(qint64 offset, QByteArray& out) const
{
    if (IoResult r = readDevice(offset, out); !r.ok())
        return r;
    for (const ByteChange& held : m_held) {
        const qint64 from = qMax(offset, held.offset);
        const qint64 to = qMin(offset + out.size(), held.offset + held.after.size());
        for (qint64 at = from; at < to; ++at)
            out[at - offset] = held.after[at - held.offset];
    }
    return IoResult::success();
}

IoResult RomImage::readDevice(qint64 offset, QByteArray& out) const
{
    const qint64 count = out.size();
    if (!isOpen() || offset < 0 || count <= 0)
        return IoResult::success();
    const qint64 available = m_device->size() - offset;
    if (available <= 0)
        return IoResult::success();
    const auto failed = [&] {
        out.fill('\0');
        const QString reason = m_device->errorString();
        return IoResult::failure(QStringLiteral("The file could not be read at offset 0x%1: %2")
                                     .arg(QString::number(offset, 16).toUpper(),
                                          reason.isEmpty() ? QStringLiteral("the system gave no reason") : reason));
    };
    if (!m_device->seek(offset))
        return failed();
    const qint64 wanted = qMin(count, available);
    const qint64 got = m_device->read(out.data(), wanted);
    if (got < 0)
        return failed();
    // Fewer bytes: the file ended meanwhile, and past its end are zeros.
    return IoResult::success();
}

uint8_t RomImage::readByte(qint64 offset) const { return static_cast<uint8_t>(readBytes(offset, 1).at(0)); }

uint16_t RomImage::readWord16(qint64 offset) const { return le::at<quint16>(readBytes(offset, 2), 0); }

uint32_t RomImage::readWord32(qint64 offset) const { return le::at<quint32>(readBytes(offset, 4), 0); }

IoResult RomImage::checkHolds(qint64 offset, qint64 count) const
{
    // An image too short for the field is not the game's image (or was cut
    // behind our back): growing it with zeros would be a stray write.
    if (offset + count <= size())
        return IoResult::success();
    return IoResult::failure(QStringLiteral("The file is too short (%1 bytes) to hold offset 0x%2.")
                                 .arg(size())
                                 .arg(QString::number(offset + count - 1, 16).toUpper()));
}

IoResult RomImage::checkSameFile() const
{
    if (!m_identity)
        return IoResult::success();
    const std::optional<FileIdentity> now = identityOfPath(m_path);
    if (!now || !isSameFile(*now, *m_identity))
        return IoResult::failure(
            QStringLiteral("The file was replaced or removed since it was opened and must be opened again."));
    if (!isUnchanged(*m_identity, *now))
        return IoResult::failure(
            QStringLiteral("The file was changed by another program since it was opened and must be opened again."));
    return IoResult::success();
}

void RomImage::retakeIdentity()
{
    // Kept as it was when the system cannot tell: the next check then refuses.
    if (auto* file = qobject_cast<QFile*>(m_device.get()); file && m_identity)
        if (const auto now = identityOfHandle(file->handle()))
            m_identity = now;
}

IoResult RomImage::writeBytes(qint64 offset, const QByteArray& bytes)
{
    if (!m_readFailure.ok()) {
        ++m_writes;
        return m_readFailure;
    }
    return writeChecked(offset, bytes, m_history != nullptr);
}

IoResult RomImage::write(qint64 offset, const QByteArray& bytes) { return writeChecked(offset, bytes, false); }

IoResult RomImage::writeChecked(qint64 offset, const QByteArray& bytes, bool record)
{
    // A held write reaches the file later through the replay writer, and is counted there.
    if (!m_holding)
        ++m_writes;
    if (!isOpen())
        return IoResult::failure(QStringLiteral("No ROM image is open."));
    if (auto r = checkSameFile(); !r.ok())
        return r;
    if (offset < 0)
        return IoResult::failure(QStringLiteral("Invalid file position."));
    if (auto r = checkHolds(offset, bytes.size()); !r.ok())
        return r;
    if (m_holding) {
        QByteArray before(bytes.size(), '\0');
        if (auto r = readRaw(offset, before); !r.ok())
            return r;
        if (record)
            m_history->record(offset, before, bytes);
        m_held.push_back({offset, before, bytes});
        return IoResult::success();
    }
    const ImageLockHold hold(*this, LockMode::Exclusive);
    if (!hold.result().ok())
        return hold.result();
    QByteArray before(record ? bytes.size() : 0, '\0');
    if (auto r = readRaw(offset, before); !r.ok())
        return r;
    IoResult result = IoResult::success();
    if (!m_device->seek(offset)) {
        result = IoResult::failure(m_device->errorString());
    } else if (m_device->write(bytes) != bytes.size()) {
        const QString reason = m_device->errorString();
        result = IoResult::failure(reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason);
    } else if (auto* file = qobject_cast<QFile*>(m_device.get()); file && !file->flush()) {
        result = IoResult::failure(file->errorString());
    }
    retakeIdentity();
    if (record) {
        // A failed write may have landed in part: the history keeps what the
        // file now holds, so that undo puts back the rest. When that cannot
        // be read, all of it counts as landed: undo then writes every byte back.
        QByteArray after = bytes;
        if (!result.ok() && !readRaw(offset, after).ok())
            after = bytes;
        if (after != before || result.ok())
            m_history->record(offset, before, after);
    }
    return result;
}

IoResult RomImage::lock(LockMode mode) const
{
    auto* file = qobject_cast<QFile*>(m_device.get());
    const bool exclusive = std::find(m_locks.begin(), m_locks.end(), LockMode::Exclusive) != m_locks.end();
    const bool held = !m_locks.empty() && (exclusive || mode == LockMode::Shared);
    if (file && m_onDisk && !held)
        if (IoResult r = filelock::lock(file->handle(), mode, m_path); !r.ok())
            return r;
    m_locks.push_back(mode);
    return IoResult::success();
}

void RomImage::unlock() const
{
    if (m_locks.empty())
        return;
    const LockMode ended = m_locks.back();
    m_locks.pop_back();
    auto* file = qobject_cast<QFile*>(m_device.get());
    if (!file || !m_onDisk)
        return;
    const bool exclusive = std::find(m_locks.begin(), m_locks.end(), LockMode::Exclusive) != m_locks.end();
    if (m_locks.empty())
        filelock::unlock(file->handle());
    else if (ended == LockMode::Exclusive && !exclusive)
        filelock::lock(file->handle(), LockMode::Shared, m_path); // a step ended inside a read: never waits
}

void RomImage::retakeIdentityAtOpening()
{
    if (auto* file = qobject_cast<QFile*>(m_device.get()); file && m_onDisk)
        m_identity = identityOfHandle(file->handle());
}

void RomImage::holdWrites()
{
    m_holding = true;
    m_held.clear();
}

std::vector<ByteChange> RomImage::releaseWrites()
{
    m_holding = false;
    return std::exchange(m_held, {});
}

IoResult RomImage::sync()
{
    auto* file = qobject_cast<QFile*>(m_device.get());
    if (!file)
        return IoResult::success();
    return durable::syncHandle(file->handle());
}

IoResult RomImage::writeByte(qint64 offset, uint8_t value)
{
    return writeBytes(offset, QByteArray(1, static_cast<char>(value)));
}

IoResult RomImage::writeWord16(qint64 offset, uint16_t value) { return writeBytes(offset, le::bytes<quint16>(value)); }

IoResult RomImage::writeWord32(qint64 offset, uint32_t value) { return writeBytes(offset, le::bytes<quint32>(value)); }

} // namespace zorvek
