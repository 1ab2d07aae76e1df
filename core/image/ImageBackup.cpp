// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageBackup.h"

#include "core/image/DurableFiles.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/SameFile.h"
#include "core/image/SystemError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryFile>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zorvek::backup {

namespace {

// Copies of one second, numbered; more than this in a second is a runaway script.
constexpr int kCopiesPerSecond = 1000;

IoResult systemFailure(int code) { return IoResult::failure(systemErrorText(code)); }

// A copy named whose last folder sync failed could vanish in a power cut:
// it is not reported as made, so it does not stay either.
IoResult settle(const QString& folder, const QString& target, QString* madePath)
{
    if (IoResult r = durable::syncFolder(folder); !r.ok()) {
        QFile::remove(target);
        return r;
    }
    if (madePath)
        *madePath = target;
    return IoResult::success();
}

#ifdef Q_OS_LINUX
// Written unnamed and only then linked to its name, as exports are: a kill
// before that leaves nothing behind. nullopt where the file system or the
// system cannot make unnamed files.
std::optional<IoResult> makeUnnamed(const QByteArray& bytes, const QFileInfo& image, const QDateTime& when,
                                    QString* madePath)
{
    const QString folder = image.absolutePath();
    const int fd = ::open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) {
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
            return std::nullopt;
        return systemFailure(errno);
    }
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    for (qsizetype done = 0; done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno != EINTR)
            return systemFailure(errno);
        done += n > 0 ? n : 0;
    }
    if (IoResult r = durable::syncHandle(fd); !r.ok())
        return r;
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(fd);
    for (int n = 1; n <= kCopiesPerSecond; ++n) {
        const QString target = QDir(folder).filePath(copyName(image.fileName(), when, n));
        // Never over an existing name: a link fails on one.
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, QFile::encodeName(target).constData(), AT_SYMLINK_FOLLOW)
            == 0)
            return settle(folder, target, madePath);
        if (errno == EEXIST)
            continue;
        if (n == 1 && errno == ENOENT) // no /proc to name the file by
            return std::nullopt;
        return systemFailure(errno);
    }
    return IoResult::failure(QStringLiteral("Too many copies were made within one second."));
}
#endif

// The copy under a name of its own that no backup name matches.
IoResult writeTemporaryCopy(const QByteArray& bytes, QTemporaryFile& temp)
{
    errno = 0;
    if (!temp.open())
        return IoResult::failure(failureReason(temp, errno));
    errno = 0;
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        return IoResult::failure(failureReason(temp, errno));
    if (IoResult r = durable::syncHandle(temp.handle()); !r.ok())
        return r;
    errno = 0;
    temp.close();
    if (temp.error() != QFileDevice::NoError)
        return IoResult::failure(failureReason(temp, errno));
    return IoResult::success();
}

QDateTime madeAt(const QFileInfo& copy)
{
    // Touching a copy moves its modification time, not its birth.
    const QDateTime born = copy.birthTime();
    return born.isValid() ? born : copy.lastModified();
}

// Another user's file, or a part copy, is nobody's backup of ours to delete.
bool isOwnWholeCopy(const QFileInfo& entry, qint64 imageSize)
{
    if (!entry.isFile() || entry.isSymLink() || entry.size() != imageSize)
        return false;
#ifdef Q_OS_UNIX
    return entry.ownerId() == ::geteuid();
#else
    return true;
#endif
}

} // namespace

QString copyName(const QString& fileName, const QDateTime& when, int n)
{
    const QString stamp = when.toString(QString::fromLatin1(kTimeFormat));
    if (n <= 1)
        return QStringLiteral("%1.%2.bak").arg(fileName, stamp);
    return QStringLiteral("%1.%2-%3.bak").arg(fileName, stamp).arg(n);
}

IoResult make(const QString& imagePath, const QDateTime& when, QString* madePath)
{
    const QFileInfo image(imagePath);
    QByteArray bytes;
    if (IoResult r = readImageFile(imagePath, bytes); !r.ok())
        return r;
#ifdef Q_OS_LINUX
    if (std::optional<IoResult> made = makeUnnamed(bytes, image, when, madePath))
        return *made;
#endif
    const QDir folder = image.absoluteDir();
    QTemporaryFile temp(folder.filePath(image.fileName() + QStringLiteral(".XXXXXX.tmp")));
    if (IoResult r = writeTemporaryCopy(bytes, temp); !r.ok())
        return r;
    for (int n = 1; n <= kCopiesPerSecond; ++n) {
        const QString target = folder.filePath(copyName(image.fileName(), when, n));
        bool taken = false;
        const IoResult renamed = durable::renameNoReplace(temp.fileName(), target, &taken);
        if (taken)
            continue;
        if (!renamed.ok())
            return renamed;
        temp.setAutoRemove(false);
        return settle(folder.path(), target, madePath);
    }
    return IoResult::failure(QStringLiteral("Too many copies were made within one second."));
}

void prune(const QString& imagePath, const QString& keep)
{
    const QFileInfo image(imagePath);
    const QDir folder = image.absoluteDir();
    const QRegularExpression ownCopy(
        QStringLiteral("^%1\\.\\d{8}-\\d{6}(-[1-9]\\d*)?\\.bak$").arg(QRegularExpression::escape(image.fileName())));
    QFileInfoList copies;
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks))
        if (ownCopy.match(entry.fileName()).hasMatch() && !isSameFile(entry.absoluteFilePath(), keep)
            && isOwnWholeCopy(entry, image.size()))
            copies.append(entry);
    // Copies made within one tick of the file system's clock are born at
    // once; then the name tells their order: its second, then its number.
    const auto nameOrder = [&ownCopy](const QFileInfo& copy) {
        const QString number = ownCopy.match(copy.fileName()).captured(1); // "-N"; none for the first
        const QString second = copy.fileName().chopped(number.size() + 4); // without "-N.bak"
        return std::pair(second, number.isEmpty() ? 1 : number.mid(1).toInt());
    };
    std::sort(copies.begin(), copies.end(), [&](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime ta = madeAt(a), tb = madeAt(b);
        return ta != tb ? ta > tb : nameOrder(a) > nameOrder(b);
    });
    for (qsizetype i = kKeptCopies - 1; i < copies.size(); ++i)
        QFile::remove(copies[i].absoluteFilePath());
}

} // namespace zorvek::backup
