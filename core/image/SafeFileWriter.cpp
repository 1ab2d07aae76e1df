// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/SafeFileWriter.h"

#include "core/image/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zorvek {

namespace {

// QSaveFile::commit syncs too, but ignores a failed sync.
int syncToDisk(int handle)
{
#ifdef Q_OS_WIN
    return _commit(handle) == 0 ? 0 : errno;
#else
    int result;
    do
        result = ::fsync(handle);
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
#endif
}

// The new name lives in the folder: synced too, it survives a power cut.
// Best effort: some file systems cannot sync a folder, and the name holds
// the old file or the whole new one either way.
void syncFolderOf(const QString& path)
{
#ifndef Q_OS_WIN
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
#else
    Q_UNUSED(path);
#endif
}

} // namespace

QString SafeFileWriter::refusal(const QString& path)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        return QStringLiteral("it is a link to a file that does not exist: writing through it would make that file");
    if (!info.exists() || info.isFile())
        return {};
    if (info.isDir())
        return QStringLiteral("it is a folder");
    return QStringLiteral("it is not a regular file (a device, a pipe or a socket)");
}

IoResult SafeFileWriter::write(const QString& path, const QByteArray& bytes)
{
    if (const QString refused = refusal(path); !refused.isEmpty())
        return IoResult::failure(refused);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return IoResult::failure(failureReason(file, errno));
    // QSaveFile commits a file the disk took only part of: a short write or a
    // failed flush must be caught here, before commit renames it.
    errno = 0;
    // Not committed, the temporary file goes with the object.
    if (file.write(bytes) != bytes.size() || !file.flush())
        return IoResult::failure(failureReason(file, errno));
    if (const int code = syncToDisk(file.handle()); code != 0)
        return IoResult::failure(systemErrorText(code));
    errno = 0;
    if (!file.commit())
        return IoResult::failure(failureReason(file, errno));
    syncFolderOf(path);
    return IoResult::success();
}

} // namespace zorvek
