// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/DurableFiles.h"

#include "core/image/SystemError.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace zorvek::durable {

#ifdef Q_OS_WIN

IoResult syncHandle(int handle)
{
    if (_commit(handle) != 0)
        return IoResult::failure(systemErrorText(errno));
    return IoResult::success();
}

IoResult syncFolder(const QString&) { return IoResult::success(); }

void ignoreFileSizeSignal() { }

IoResult renameNoReplace(const QString& from, const QString& to, bool* taken)
{
    *taken = false;
    const QString a = QDir::toNativeSeparators(from), b = QDir::toNativeSeparators(to);
    // Without MOVEFILE_REPLACE_EXISTING an existing name is an error, decided atomically.
    if (MoveFileExW(reinterpret_cast<LPCWSTR>(a.utf16()), reinterpret_cast<LPCWSTR>(b.utf16()), MOVEFILE_WRITE_THROUGH))
        return IoResult::success();
    const DWORD error = GetLastError();
    *taken = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    return IoResult::failure(qt_error_string(static_cast<int>(error)));
}

#else

namespace {
IoResult systemFailure() { return IoResult::failure(systemErrorText(errno)); }
} // namespace

IoResult syncHandle(int handle)
{
#ifdef Q_OS_MACOS
    // fsync there leaves the data in the drive's cache.
    if (::fcntl(handle, F_FULLFSYNC) == 0)
        return IoResult::success();
#endif
    int result;
    do
        result = ::fsync(handle);
    while (result != 0 && errno == EINTR);
    return result == 0 ? IoResult::success() : systemFailure();
}

IoResult syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return systemFailure();
    const IoResult result = syncHandle(fd);
    // Some file systems cannot sync a folder and say so; their entries are as safe as they get.
    const bool synced = result.ok() || errno == EINVAL || errno == ENOTSUP;
    ::close(fd);
    return synced ? IoResult::success() : result;
}

void ignoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

IoResult renameNoReplace(const QString& from, const QString& to, bool* taken)
{
    *taken = false;
    const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
#if defined(Q_OS_LINUX)
    if (::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return IoResult::success();
    if (errno != EINVAL && errno != ENOSYS) {
        *taken = errno == EEXIST;
        return systemFailure();
    }
#elif defined(Q_OS_MACOS)
    if (::renamex_np(a.constData(), b.constData(), RENAME_EXCL) == 0)
        return IoResult::success();
    if (errno != ENOTSUP) {
        *taken = errno == EEXIST;
        return systemFailure();
    }
#endif
    // A second link fails on an existing name just as atomically.
    if (::link(a.constData(), b.constData()) != 0) {
        *taken = errno == EEXIST;
        return systemFailure();
    }
    ::unlink(a.constData());
    return IoResult::success();
}

#endif

} // namespace zorvek::durable
