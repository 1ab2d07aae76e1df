// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/SafeFileWriter.h"

#include "core/image/DurableFiles.h"
#include "core/image/SystemError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace zorvek {

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
    // QSaveFile::commit syncs too, but ignores a failed sync.
    if (IoResult r = durable::syncHandle(file.handle()); !r.ok())
        return r;
    errno = 0;
    if (!file.commit())
        return IoResult::failure(failureReason(file, errno));
    return durable::syncFolder(QFileInfo(path).absolutePath());
}

} // namespace zorvek
