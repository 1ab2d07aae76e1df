#include "core/image/RollbackJournal.h"

#include "core/image/DurableFiles.h"
#include "core/image/RomImage.h"

#include <QFile>
#include <QFileInfo>

#include <zlib.h>

#include <algorithm>
#include <cstring>

namespace zorvek::rollback {

namespace {

// Layout, all numbers little-endian:
//   magic "ZVKROLL" and format version 1           8 bytes
//   image size                                     u64
//   image file name: length, UTF-8                 u32, bytes
//   change count                                   u32
//   per change: offset, length, before, after      u64, u32, bytes, bytes
//   CRC-32 of everything before it                 u32
constexpr char kMagic[8] = {'Z', 'V', 'K', 'R', 'O', 'L', 'L', 1};
constexpr qsizetype kMagicSize = 8;
constexpr qsizetype kCrcSize = 4;
constexpr const char* kSuffix = "-journal";

void putLittleEndian(QByteArray& out, quint64 value, int width)
{
    for (int i = 0; i < width; ++i)
        out.append(static_cast<char>(value >> (8 * i) & 0xFF));
}

quint32 crcOf(const char* data, qsizetype size)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    while (size > 0) {
        // zlib takes at most an unsigned int per call.
        const auto part = static_cast<uInt>(std::min<qsizetype>(size, 1 << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data), part);
        data += part;
        size -= part;
    }
    return static_cast<quint32>(crc);
}

// Reads forward through the bytes, bounds checked; a short read poisons it.
class Reader {
public:
    Reader(const QByteArray& bytes, qsizetype end) : m_bytes(bytes), m_end(end) {}
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_end; }
    quint64 number(int width)
    {
        if (!has(width))
            return 0;
        quint64 value = 0;
        for (int i = width - 1; i >= 0; --i)
            value = value << 8 | static_cast<quint8>(m_bytes[m_pos + i]);
        m_pos += width;
        return value;
    }
    QByteArray bytes(quint64 count)
    {
        if (!has(count))
            return {};
        const QByteArray out = m_bytes.mid(m_pos, static_cast<qsizetype>(count));
        m_pos += static_cast<qsizetype>(count);
        return out;
    }

private:
    bool has(quint64 count)
    {
        m_ok = m_ok && count <= static_cast<quint64>(m_end - m_pos);
        return m_ok;
    }
    const QByteArray& m_bytes;
    qsizetype m_end;
    qsizetype m_pos = kMagicSize;
    bool m_ok = true;
};

// The name the journal records: that of the file the path leads to.
QString imageFileName(const QString& imagePath)
{
    const QString journal = QFileInfo(journalPath(imagePath)).fileName();
    return journal.chopped(static_cast<qsizetype>(std::strlen(kSuffix)));
}

} // namespace

QString journalPath(const QString& imagePath)
{
    const QFileInfo image(imagePath);
    const QString canonical = image.canonicalFilePath();
    return (canonical.isEmpty() ? image.absoluteFilePath() : canonical) + QLatin1String(kSuffix);
}

QByteArray encode(const QString& imageName, qint64 imageSize, const std::vector<JournalChange>& changes)
{
    QByteArray out(kMagic, kMagicSize);
    putLittleEndian(out, static_cast<quint64>(imageSize), 8);
    const QByteArray name = imageName.toUtf8();
    putLittleEndian(out, static_cast<quint64>(name.size()), 4);
    out += name;
    putLittleEndian(out, changes.size(), 4);
    for (const JournalChange& c : changes) {
        putLittleEndian(out, static_cast<quint64>(c.offset), 8);
        putLittleEndian(out, static_cast<quint64>(c.before.size()), 4);
        out += c.before;
        out += c.after;
    }
    putLittleEndian(out, crcOf(out.constData(), out.size()), 4);
    return out;
}

std::optional<Contents> decode(const QByteArray& bytes)
{
    if (bytes.size() < kMagicSize + kCrcSize || !bytes.startsWith(QByteArray(kMagic, kMagicSize)))
        return std::nullopt;
    const qsizetype end = bytes.size() - kCrcSize;
    quint32 stored = 0;
    for (int i = kCrcSize - 1; i >= 0; --i)
        stored = stored << 8 | static_cast<quint8>(bytes[end + i]);
    if (stored != crcOf(bytes.constData(), end))
        return std::nullopt;
    Reader in(bytes, end);
    Contents out;
    out.imageSize = static_cast<qint64>(in.number(8));
    out.imageName = QString::fromUtf8(in.bytes(in.number(4)));
    const quint64 count = in.number(4);
    for (quint64 i = 0; i < count && in.ok(); ++i) {
        const auto offset = static_cast<qint64>(in.number(8));
        const quint64 length = in.number(4);
        const QByteArray before = in.bytes(length);
        out.changes.push_back({offset, before, in.bytes(length)});
    }
    if (!in.ok() || !in.atEnd() || out.imageSize < 0)
        return std::nullopt;
    return out;
}

bool holdsOnlyTheStep(const Contents& journal, const QByteArray& image)
{
    const auto& changes = journal.changes;
    for (const JournalChange& c : changes) {
        if (c.offset < 0 || c.offset + c.before.size() > image.size())
            return false;
        for (qsizetype i = 0; i < c.before.size(); ++i) {
            const qint64 at = c.offset + i;
            const char now = image[at];
            // Writes of one step may overlap: any of them may be the one that landed last.
            bool known = false;
            for (const JournalChange& d : changes) {
                const qint64 k = at - d.offset;
                if (k >= 0 && k < d.before.size() && (d.before[k] == now || d.after[k] == now)) {
                    known = true;
                    break;
                }
            }
            if (!known)
                return false;
        }
    }
    return true;
}

IoResult write(const QString& imagePath, qint64 imageSize, const std::vector<JournalChange>& changes)
{
    const QString path = journalPath(imagePath);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path))
            return IoResult::failure(
                QStringLiteral("The rollback journal \"%1\" of another step is in the way: open the image again to "
                               "take that step back, or move the journal away.")
                    .arg(path));
        return IoResult::failure(
            QStringLiteral("The rollback journal \"%1\" could not be made: %2").arg(path, file.errorString()));
    }
    const QByteArray bytes = encode(imageFileName(imagePath), imageSize, changes);
    IoResult result = IoResult::success();
    if (file.write(bytes) != bytes.size() || !file.flush())
        result = IoResult::failure(file.errorString());
    else
        result = durable::syncHandle(file.handle());
    file.close();
    if (result.ok())
        result = durable::syncFolder(QFileInfo(path).absolutePath());
    if (!result.ok()) {
        file.remove();
        return IoResult::failure(
            QStringLiteral("The rollback journal \"%1\" could not be written: %2").arg(path, result.error));
    }
    return result;
}

IoResult remove(const QString& imagePath)
{
    QFile file(journalPath(imagePath));
    // Synced, the removal survives a power cut: a journal coming back would take the step back.
    if (file.remove())
        return durable::syncFolder(QFileInfo(file.fileName()).absolutePath());
    // Emptied, it reads as cut short: harmless at the next opening.
    const IoResult removal = IoResult::failure(file.errorString());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.flush())
        return IoResult::success();
    return removal;
}

namespace {

// The journal beside imagePath. The state is None when there is none or it
// may be taken back (*contents then holds it, or nullopt when it is cut
// short); otherwise it says why it may not.
Recovery readJournal(const QString& imagePath, qint64 imageSize, std::optional<Contents>* contents, bool* found)
{
    Recovery out;
    out.journal = journalPath(imagePath);
    QFile file(out.journal);
    *found = file.exists();
    if (!*found)
        return out;
    // A journal holds each touched byte twice; one far larger is nobody's of ours.
    const qint64 largest = 2 * imageSize + (qint64{1} << 20);
    if (file.size() > largest) {
        out.state = Recovery::State::Changed;
        return out;
    }
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray bytes = opened ? file.readAll() : QByteArray();
    if (!opened || file.error() != QFileDevice::NoError) {
        out.state = Recovery::State::Failed;
        out.reason = file.errorString();
        return out;
    }
    *contents = decode(bytes);
    if (*contents && ((*contents)->imageName != imageFileName(imagePath) || (*contents)->imageSize != imageSize))
        out.state = Recovery::State::Changed;
    return out;
}

} // namespace

Recovery recover(RomImage& rom)
{
    // A journal is a crash's only when no program holds the file: one of a
    // step still being written is never touched.
    const ImageLockHold alone(rom, LockMode::Exclusive);
    if (!alone.result().ok()) {
        Recovery out;
        out.state = Recovery::State::Busy;
        out.journal = journalPath(rom.path());
        out.reason = alone.result().error;
        return out;
    }
    // A step that another program finished while this one waited belongs to the image as opened.
    rom.retakeIdentityAtOpening();
    std::optional<Contents> journal;
    bool found = false;
    Recovery out = readJournal(rom.path(), rom.size(), &journal, &found);
    if (!found || out.state != Recovery::State::None)
        return out;
    auto fail = [&out](const QString& reason) {
        out.state = Recovery::State::Failed;
        out.reason = reason;
        return out;
    };
    if (!journal) {
        // Cut off while it was being written, so before any write to the image.
        if (IoResult r = remove(rom.path()); !r.ok())
            return fail(r.error);
        out.state = Recovery::State::TornRemoved;
        return out;
    }
    const QByteArray image = rom.readBytes(0, static_cast<int>(rom.size()));
    // Left for the opener to report and refuse: zeros read are no image's bytes.
    if (IoResult r = rom.readFailure(); !r.ok())
        return fail(r.error);
    if (!holdsOnlyTheStep(*journal, image)) {
        out.state = Recovery::State::Changed;
        return out;
    }
    const auto& changes = journal->changes;
    for (auto c = changes.rbegin(); c != changes.rend(); ++c)
        if (IoResult r = rom.replayWriter().write(c->offset, c->before); !r.ok())
            return fail(r.error);
    if (IoResult r = rom.sync(); !r.ok())
        return fail(r.error);
    if (IoResult r = remove(rom.path()); !r.ok())
        return fail(r.error);
    out.state = Recovery::State::TakenBack;
    return out;
}

Recovery recoverCopy(const QString& imagePath, QByteArray& image)
{
    std::optional<Contents> journal;
    bool found = false;
    Recovery out = readJournal(imagePath, image.size(), &journal, &found);
    // One cut short never reached the image.
    if (!found || out.state != Recovery::State::None || !journal)
        return out;
    if (!holdsOnlyTheStep(*journal, image)) {
        out.state = Recovery::State::Changed;
        return out;
    }
    for (auto c = journal->changes.rbegin(); c != journal->changes.rend(); ++c)
        image.replace(c->offset, c->before.size(), c->before);
    out.state = Recovery::State::TakenBack;
    return out;
}

} // namespace zorvek::rollback
