#include "core/image/RomImage.h"

#include <QFile>
#include <QFileInfo>

namespace zorvek {

RomImage::RomImage() = default;
RomImage::~RomImage() { close(); }

IoResult RomImage::open(const QString& path)
{
    close();
    if (path.isEmpty())
        return IoResult::failure(QStringLiteral("No file name was given."));
    const QFileInfo info(path);
    if (info.isDir())
        return IoResult::failure(QStringLiteral("It is a folder, not a file."));
    if (!info.exists())
        return IoResult::failure(QStringLiteral("The file does not exist."));
    auto file = std::make_unique<QFile>(path);
    // Unbuffered: every write reaches the system at once, as the editor promises.
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return IoResult::failure(file->errorString());
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

void RomImage::close()
{
    if (m_device)
        m_device->close();
    m_device.reset();
    m_path.clear();
    m_identity.reset();
    m_onDisk = false;
    m_journal.clear();
    ++m_openSerial;
}

bool RomImage::isOpen() const { return m_device && m_device->isOpen(); }

qint64 RomImage::size() const { return isOpen() ? m_device->size() : 0; }

QByteArray RomImage::readBytes(qint64 offset, int count) const
{
    ++m_reads;
    return readRaw(offset, count);
}

QByteArray RomImage::readRaw(qint64 offset, int count) const
{
    QByteArray out(count, '\0');
    if (!isOpen() || offset < 0 || count <= 0)
        return out;
    const qint64 available = m_device->size() - offset;
    if (available <= 0)
        return out;
    if (!m_device->seek(offset))
        return out;
    const qint64 wanted = qMin<qint64>(count, available);
    const qint64 got = m_device->read(out.data(), wanted);
    if (got < wanted)
        std::fill(out.begin() + qMax<qint64>(got, 0), out.end(), '\0');
    return out;
}

uint8_t RomImage::readByte(qint64 offset) const
{
    return static_cast<uint8_t>(readBytes(offset, 1).at(0));
}

uint16_t RomImage::readWord16(qint64 offset) const
{
    const QByteArray b = readBytes(offset, 2);
    const auto lo = static_cast<uint8_t>(b[0]);
    const auto hi = static_cast<uint8_t>(b[1]);
    return static_cast<uint16_t>(lo | hi << 8);
}

uint32_t RomImage::readWord32(qint64 offset) const
{
    const QByteArray b = readBytes(offset, 4);
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(b[i]);
    return value;
}

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
    if (!m_identity || identityOfPath(m_path) == m_identity)
        return IoResult::success();
    return IoResult::failure(
        QStringLiteral("The file was replaced or removed since it was opened and must be opened again."));
}

IoResult RomImage::writeBytes(qint64 offset, const QByteArray& bytes)
{
    return writeChecked(offset, bytes, m_journalled);
}

IoResult RomImage::write(qint64 offset, const QByteArray& bytes) { return writeChecked(offset, bytes, false); }

IoResult RomImage::writeChecked(qint64 offset, const QByteArray& bytes, bool record)
{
    ++m_writes;
    if (!isOpen())
        return IoResult::failure(QStringLiteral("No ROM image is open."));
    if (auto r = checkSameFile(); !r.ok())
        return r;
    if (offset < 0)
        return IoResult::failure(QStringLiteral("Invalid file position."));
    if (auto r = checkHolds(offset, bytes.size()); !r.ok())
        return r;
    const QByteArray before = record ? readRaw(offset, static_cast<int>(bytes.size())) : QByteArray();
    IoResult result = IoResult::success();
    if (!m_device->seek(offset)) {
        result = IoResult::failure(m_device->errorString());
    } else if (m_device->write(bytes) != bytes.size()) {
        const QString reason = m_device->errorString();
        result = IoResult::failure(reason.isEmpty() ? QStringLiteral("The file could not be written.") : reason);
    } else if (auto* file = qobject_cast<QFile*>(m_device.get()); file && !file->flush()) {
        result = IoResult::failure(file->errorString());
    }
    if (record) {
        // A failed write may have landed in part: the journal keeps what the
        // file now holds, so that undo puts back the rest.
        const QByteArray after = result.ok() ? bytes : readRaw(offset, static_cast<int>(bytes.size()));
        if (after != before || result.ok())
            m_journal.record(offset, before, after);
    }
    return result;
}

IoResult RomImage::writeByte(qint64 offset, uint8_t value)
{
    return writeBytes(offset, QByteArray(1, static_cast<char>(value)));
}

IoResult RomImage::writeWord16(qint64 offset, uint16_t value)
{
    QByteArray b(2, '\0');
    b[0] = static_cast<char>(value & 0xFF);
    b[1] = static_cast<char>(value >> 8 & 0xFF);
    return writeBytes(offset, b);
}

IoResult RomImage::writeWord32(qint64 offset, uint32_t value)
{
    QByteArray b(4, '\0');
    for (int i = 0; i < 4; ++i)
        b[i] = static_cast<char>(value >> (8 * i) & 0xFF);
    return writeBytes(offset, b);
}

} // namespace zorvek
