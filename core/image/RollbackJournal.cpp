// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/RollbackJournal.h"

#include "core/image/Crc32.h"
#include "core/image/DurableFiles.h"
#include "core/image/LittleEndian.h"
#include "core/image/RomImage.h"
#include "core/image/SameFile.h"
#include "core/image/SystemError.h"
#include "core/image/WholeFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace zorvek::rollback {

namespace {

// Layout, all numbers little-endian:
//   header, written and synced first:
//     magic "ZVKROLL" and format version 2         8 bytes
//     length of the whole journal                  u64
//     CRC-32 of the two                            u32
//   image size                                     u64
//   image file name: length, UTF-8                 u32, bytes
//   change count                                   u32
//   per change: offset, length, before, after      u64, u32, bytes, bytes
//   CRC-32 of everything before it                 u32
// Version 1 had no header: the magic, then the image size.
constexpr char kMagic[8] = {'Z', 'V', 'K', 'R', 'O', 'L', 'L', 2};
constexpr char kMagicV1[8] = {'Z', 'V', 'K', 'R', 'O', 'L', 'L', 1};
constexpr qsizetype kMagicSize = 8;
constexpr qsizetype kCrcSize = 4;
constexpr qsizetype kHeaderSize = kMagicSize + 8 + kCrcSize;
constexpr const char* kSuffix = "-journal";

// Reads forward through the bytes, bounds checked; a short read poisons it.
class Reader {
public:
    Reader(const QByteArray& bytes, qsizetype start, qsizetype end) : m_bytes(bytes), m_end(end), m_pos(start) { }
    bool ok() const { return m_ok; }
    bool atEnd() const { return m_pos == m_end; }
    template <typename T>
    quint64 number()
    {
        if (!has(sizeof(T)))
            return 0;
        m_pos += sizeof(T);
        return le::at<T>(m_bytes, m_pos - sizeof(T));
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
    qsizetype m_pos;
    bool m_ok = true;
};

// Everything after the header, up to the final CRC. Every change must lie
// inside the image it names: the offsets come from a file anyone could have
// written, and are bounded before any sum is made of them.
bool readBody(Reader& in, Contents& out)
{
    const quint64 size = in.number<quint64>();
    if (size > static_cast<quint64>(std::numeric_limits<qint64>::max()))
        return false;
    out.imageSize = static_cast<qint64>(size);
    out.imageName = QString::fromUtf8(in.bytes(in.number<quint32>()));
    const quint64 count = in.number<quint32>();
    for (quint64 i = 0; i < count && in.ok(); ++i) {
        const quint64 offset = in.number<quint64>();
        const quint64 length = in.number<quint32>();
        if (offset > size || length > size - offset)
            return false;
        const QByteArray before = in.bytes(length);
        out.changes.push_back({static_cast<qint64>(offset), before, in.bytes(length)});
    }
    return in.ok() && in.atEnd();
}

bool crcHolds(const QByteArray& bytes, qsizetype end)
{
    return le::at<quint32>(bytes, end) == crc32Of(bytes.constData(), end);
}

Parsed decodeVersion1(const QByteArray& bytes)
{
    // No length to tell a cut from damage: only a whole one is acted on.
    Parsed out;
    const qsizetype end = bytes.size() - kCrcSize;
    Reader in(bytes, kMagicSize, end);
    if (end >= kMagicSize && crcHolds(bytes, end) && readBody(in, out.contents))
        out.form = Parsed::Form::Whole;
    return out;
}

// The name the journal records: that of the file the path leads to.
QString imageFileName(const QString& imagePath)
{
    const QString journal = QFileInfo(journalPath(imagePath)).fileName();
    return journal.chopped(static_cast<qsizetype>(std::strlen(kSuffix)));
}

} // namespace

QString journalPath(const QString& imagePath) { return resolvedFilePath(imagePath) + QLatin1String(kSuffix); }

QByteArray encode(const QString& imageName, qint64 imageSize, const std::vector<ByteChange>& changes)
{
    QByteArray out(kMagic, kMagicSize);
    le::append<quint64>(out, 0); // the length, once known
    le::append<quint32>(out, 0);
    le::append<quint64>(out, static_cast<quint64>(imageSize));
    const QByteArray name = imageName.toUtf8();
    le::append<quint32>(out, static_cast<quint32>(name.size()));
    out += name;
    le::append<quint32>(out, static_cast<quint32>(changes.size()));
    for (const ByteChange& c : changes) {
        le::append<quint64>(out, static_cast<quint64>(c.offset));
        le::append<quint32>(out, static_cast<quint32>(c.before.size()));
        out += c.before;
        out += c.after;
    }
    out.replace(kMagicSize, 8, le::bytes<quint64>(static_cast<quint64>(out.size() + kCrcSize)));
    out.replace(kMagicSize + 8, kCrcSize, le::bytes<quint32>(crc32Of(out.constData(), kMagicSize + 8)));
    le::append<quint32>(out, crc32Of(out));
    return out;
}

Parsed decode(const QByteArray& bytes)
{
    Parsed out;
    const QByteArray magic(kMagic, kMagicSize);
    if (bytes.startsWith(QByteArray(kMagicV1, kMagicSize)))
        return decodeVersion1(bytes);
    const bool zeros =
        std::all_of(bytes.begin(), bytes.begin() + std::min(bytes.size(), kHeaderSize), [](char c) { return c == 0; });
    // Nothing of the header on disk yet (a power cut can leave its place zeros).
    if (zeros || (bytes.size() < kHeaderSize && magic.startsWith(bytes.left(kMagicSize)))) {
        out.form = Parsed::Form::Torn;
        return out;
    }
    if (bytes.size() < kHeaderSize || !bytes.startsWith(magic) || !crcHolds(bytes, kHeaderSize - kCrcSize))
        return out;
    const quint64 length = le::at<quint64>(bytes, kMagicSize);
    if (length < quint64{kHeaderSize + kCrcSize})
        return out;
    if (static_cast<quint64>(bytes.size()) < length) {
        out.form = Parsed::Form::Torn;
        return out;
    }
    const qsizetype end = bytes.size() - kCrcSize;
    Reader in(bytes, kHeaderSize, end);
    if (static_cast<quint64>(bytes.size()) == length && crcHolds(bytes, end) && readBody(in, out.contents))
        out.form = Parsed::Form::Whole;
    return out;
}

bool holdsOnlyTheStep(const Contents& journal, const QByteArray& image)
{
    const qint64 size = image.size();
    for (const ByteChange& c : journal.changes)
        if (c.offset < 0 || c.offset > size || c.before.size() > size - c.offset || c.after.size() != c.before.size())
            return false;
    // Writes of one step may overlap: any of them may be the one that landed last.
    std::vector<bool> touched(static_cast<std::size_t>(size)), known(static_cast<std::size_t>(size));
    for (const ByteChange& c : journal.changes) {
        for (qsizetype i = 0; i < c.before.size(); ++i) {
            const auto at = static_cast<std::size_t>(c.offset + i);
            touched[at] = true;
            known[at] = known[at] || image[c.offset + i] == c.before[i] || image[c.offset + i] == c.after[i];
        }
    }
    return touched == known;
}

IoResult write(const QString& imagePath, qint64 imageSize, const std::vector<ByteChange>& changes)
{
    const QString path = journalPath(imagePath);
    QFile file(path);
    // New only: never through a link or over a file another hand put there.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
            return IoResult::failure(
                QStringLiteral("The rollback journal \"%1\" of another step is in the way: open the image again to "
                               "take that step back, or move the journal away.")
                    .arg(path));
        return IoResult::failure(
            QStringLiteral("The rollback journal \"%1\" could not be made: %2").arg(path, file.errorString()));
    }
    const QByteArray bytes = encode(imageFileName(imagePath), imageSize, changes);
    IoResult result = IoResult::success();
    // The header first: on disk, it tells a body cut short from one damaged later.
    for (const QByteArray& part : {bytes.first(kHeaderSize), bytes.sliced(kHeaderSize)}) {
        if (file.write(part) != part.size() || !file.flush())
            result = IoResult::failure(file.errorString());
        else
            result = durable::syncHandle(file.handle());
        if (!result.ok())
            break;
    }
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
    const QString path = journalPath(imagePath);
    // Synced, the removal survives a power cut: a journal coming back would take the step back.
    const QString folder = QFileInfo(path).absolutePath();
#ifdef Q_OS_WIN
    QFile file(path);
    if (file.remove())
        return durable::syncFolder(folder);
    if (!QFileInfo::exists(path))
        return IoResult::success();
    return IoResult::failure(file.errorString());
#else
    if (::unlink(QFile::encodeName(path).constData()) == 0)
        return durable::syncFolder(folder);
    if (errno == ENOENT)
        return IoResult::success();
    return IoResult::failure(systemErrorText(errno));
#endif
}

namespace {

struct JournalFile {
    enum class Found { None, Read, Refused, Failed };
    Found found = Found::None;
    QByteArray bytes;
    QString reason;
};

#ifndef Q_OS_WIN
QString userName(uid_t uid)
{
    passwd entry{};
    passwd* found = nullptr;
    char buffer[4096];
    if (::getpwuid_r(uid, &entry, buffer, sizeof buffer, &found) == 0 && found)
        return QStringLiteral("the user %1 (%2)").arg(QString::fromLocal8Bit(found->pw_name)).arg(uid);
    return QStringLiteral("the user number %1").arg(uid);
}
#endif

// The file at the journal's name, read only when it is a regular file of at
// most largest bytes that the user running the program or the image's owner
// made: a pipe must not hang the program, a link to a device must not fill
// its memory, and another user must not choose the bytes written back.
JournalFile readJournalFile(const QString& path, const QString& imagePath, qint64 largest)
{
    JournalFile out;
    const auto refused = [&out](const QString& reason) {
        out.found = JournalFile::Found::Refused;
        out.reason = reason;
        return out;
    };
#ifdef Q_OS_WIN
    Q_UNUSED(imagePath);
    QFile file(path);
    if (!file.exists())
        return out;
    if (!QFileInfo(path).isFile())
        return refused(QStringLiteral("it is not a regular file"));
    if (file.size() > largest)
        return refused(QStringLiteral("it holds %1 bytes, more than any journal of this image").arg(file.size()));
    IoResult read =
        file.open(QIODevice::ReadOnly) ? readUpTo(file, largest, out.bytes) : IoResult::failure(file.errorString());
    out.found = read.ok() ? JournalFile::Found::Read : JournalFile::Found::Failed;
    out.reason = read.error;
    return out;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            return out;
        if (errno == ELOOP)
            return refused(QStringLiteral("it is a symbolic link"));
        out.found = JournalFile::Found::Failed;
        out.reason = systemErrorText(errno);
        return out;
    }
    const struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat journal { };
    struct stat image { };
    if (::fstat(fd, &journal) != 0) {
        out.found = JournalFile::Found::Failed;
        out.reason = systemErrorText(errno);
        return out;
    }
    if (!S_ISREG(journal.st_mode))
        return refused(QStringLiteral("it is not a regular file (a folder, a pipe or a device)"));
    if (journal.st_size > largest)
        return refused(QStringLiteral("it holds %1 bytes, more than any journal of this image").arg(journal.st_size));
    const bool imageOwners =
        ::stat(QFile::encodeName(imagePath).constData(), &image) == 0 && image.st_uid == journal.st_uid;
    if (journal.st_uid != ::geteuid() && !imageOwners)
        return refused(QStringLiteral("it belongs to %1, who is neither you nor the owner of the image")
                           .arg(userName(journal.st_uid)));
    QFile file;
    file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle);
    if (IoResult r = readUpTo(file, largest, out.bytes); !r.ok()) {
        out.found = JournalFile::Found::Failed;
        out.reason = r.error;
        return out;
    }
    out.found = JournalFile::Found::Read;
    return out;
#endif
}

// The journal beside imagePath. The state is None when there is none or it
// may be acted on (*parsed then holds it); otherwise it says why not.
Recovery readJournal(const QString& imagePath, qint64 imageSize, Parsed* parsed, bool* found)
{
    Recovery out;
    out.journal = journalPath(imagePath);
    // A journal holds each touched byte twice; one far larger is nobody's of ours.
    const qint64 largest = 2 * imageSize + (qint64{1} << 20);
    const JournalFile file = readJournalFile(out.journal, imagePath, largest);
    *found = file.found != JournalFile::Found::None;
    if (file.found == JournalFile::Found::Refused || file.found == JournalFile::Found::Failed) {
        out.state = file.found == JournalFile::Found::Refused ? Recovery::State::Refused : Recovery::State::Failed;
        out.reason = file.reason;
        return out;
    }
    if (!*found)
        return out;
    *parsed = decode(file.bytes);
    if (parsed->form == Parsed::Form::Damaged) {
        out.state = Recovery::State::Refused;
        out.reason = QStringLiteral(
            "it is damaged: it was written whole but does not read back so, or it does "
            "not fit the image");
    } else if (parsed->form == Parsed::Form::Whole
               && (parsed->contents.imageName != imageFileName(imagePath) || parsed->contents.imageSize != imageSize)) {
        out.state = Recovery::State::Changed;
    }
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
    Parsed journal;
    bool found = false;
    Recovery out = readJournal(rom.path(), rom.size(), &journal, &found);
    if (!found || out.state != Recovery::State::None)
        return out;
    auto fail = [&out](const QString& reason) {
        out.state = Recovery::State::Failed;
        out.reason = reason;
        return out;
    };
    if (journal.form == Parsed::Form::Torn) {
        // Cut off while it was being written, so before any write to the image.
        if (IoResult r = remove(rom.path()); !r.ok())
            return fail(r.error);
        out.state = Recovery::State::TornRemoved;
        return out;
    }
    const QByteArray image = rom.readBytes(0, rom.size());
    // Left for the opener to report and refuse: zeros read are no image's bytes.
    if (IoResult r = rom.readFailure(); !r.ok())
        return fail(r.error);
    if (!holdsOnlyTheStep(journal.contents, image)) {
        out.state = Recovery::State::Changed;
        return out;
    }
    const auto& changes = journal.contents.changes;
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
    Parsed journal;
    bool found = false;
    Recovery out = readJournal(imagePath, image.size(), &journal, &found);
    // One cut short never reached the image.
    if (!found || out.state != Recovery::State::None || journal.form != Parsed::Form::Whole)
        return out;
    if (!holdsOnlyTheStep(journal.contents, image)) {
        out.state = Recovery::State::Changed;
        return out;
    }
    for (auto c = journal.contents.changes.rbegin(); c != journal.contents.changes.rend(); ++c)
        image.replace(c->offset, c->before.size(), c->before);
    out.state = Recovery::State::TakenBack;
    return out;
}

} // namespace zorvek::rollback
