// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/OutsideWrite.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

namespace zorvek::test {

namespace {

#ifdef Q_OS_DARWIN
const timespec& changed(const struct stat& st) { return st.st_ctimespec; }
const timespec& modified(const struct stat& st) { return st.st_mtimespec; }
#else
const timespec& changed(const struct stat& st) { return st.st_ctim; }
const timespec& modified(const struct stat& st) { return st.st_mtim; }
#endif

bool later(const timespec& a, const timespec& b)
{
    return a.tv_sec != b.tv_sec ? a.tv_sec > b.tv_sec : a.tv_nsec > b.tv_nsec;
}

bool statOf(const QString& path, struct stat* st) { return ::stat(QFile::encodeName(path).constData(), st) == 0; }

// Until the file system's clock has moved past the file's last change: a
// write within the same tick would leave every time as it was, and no
// program could tell it from none.
bool waitForNextTick(const QString& path, const struct stat& last)
{
    const QString probe = path + QStringLiteral(".tick");
    struct stat st { };
    do {
        QFile touch(probe);
        if (!touch.open(QIODevice::WriteOnly | QIODevice::Truncate) || touch.write("x", 1) != 1)
            return false;
        touch.close();
        if (!statOf(probe, &st))
            return false;
    } while (!later(changed(st), changed(last)));
    return QFile::remove(probe);
}

} // namespace

bool rewriteInPlace(const QString& path, qint64 offset, const QByteArray& bytes, bool keepModified)
{
    struct stat before { };
    if (!statOf(path, &before) || !waitForNextTick(path, before))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    if (!keepModified)
        return true;
    const timespec times[2] = {{0, UTIME_OMIT}, modified(before)};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

} // namespace zorvek::test
