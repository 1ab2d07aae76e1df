// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/FileLock.h"

#include "core/image/SystemError.h"
#include "core/image/TestHold.h"

#include <QDir>

#include <algorithm>
#include <cerrno>
#include <thread>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#endif

namespace zorvek::filelock {

namespace {

enum class Try { Taken, Busy, Failed };

#if defined(Q_OS_WIN)
// Far beyond any image, so that the lock never stands in the way of reads
// and writes, which Windows would refuse inside a locked range.
OVERLAPPED lockedRange()
{
    OVERLAPPED range{};
    range.OffsetHigh = 0x40000000;
    return range;
}

Try tryLock(int handle, LockMode mode, int* error)
{
    const auto file = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
    OVERLAPPED range = lockedRange();
    UnlockFileEx(file, 0, 1, 0, &range); // no conversion in place there
    range = lockedRange();
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (mode == LockMode::Exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (LockFileEx(file, flags, 0, 1, 0, &range))
        return Try::Taken;
    *error = static_cast<int>(GetLastError());
    return *error == ERROR_LOCK_VIOLATION ? Try::Busy : Try::Failed;
}

void release(int handle)
{
    OVERLAPPED range = lockedRange();
    UnlockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(handle)), 0, 1, 0, &range);
}

QString errorText(int error) { return qt_error_string(error); }
#elif defined(F_OFD_SETLK)
Try tryLock(int handle, LockMode mode, int* error)
{
    struct flock range { };
    range.l_type = mode == LockMode::Exclusive ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    int result;
    do
        result = ::fcntl(handle, F_OFD_SETLK, &range);
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return Try::Taken;
    *error = errno;
    return errno == EAGAIN || errno == EACCES ? Try::Busy : Try::Failed;
}

void release(int handle)
{
    struct flock range { };
    range.l_type = F_UNLCK;
    range.l_whence = SEEK_SET;
    ::fcntl(handle, F_OFD_SETLK, &range);
}

QString errorText(int error) { return systemErrorText(error); }
#else
Try tryLock(int handle, LockMode mode, int* error)
{
    int result;
    do
        result = ::flock(handle, (mode == LockMode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB);
    while (result != 0 && errno == EINTR);
    if (result == 0)
        return Try::Taken;
    *error = errno;
    return errno == EWOULDBLOCK ? Try::Busy : Try::Failed;
}

void release(int handle) { ::flock(handle, LOCK_UN); }

QString errorText(int error) { return systemErrorText(error); }
#endif

bool lockingUnsupported(int error)
{
#ifdef Q_OS_WIN
    return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
#else
    return error == ENOLCK || error == EOPNOTSUPP || error == EINVAL;
#endif
}

} // namespace

IoResult lock(int handle, LockMode mode, const QString& path)
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + kBusyWait;
    bool waited = false;
    // Short pauses first: most steps end within a few milliseconds.
    for (auto pause = std::chrono::milliseconds(1);; pause = std::min(pause * 2, std::chrono::milliseconds(50))) {
        int error = 0;
        switch (tryLock(handle, mode, &error)) {
        case Try::Taken:
            return IoResult::success();
        case Try::Failed:
            if (lockingUnsupported(error))
                return IoResult::success();
            return IoResult::failure(QStringLiteral("The file %1 could not be locked: %2")
                                         .arg(QDir::toNativeSeparators(path), errorText(error)));
        case Try::Busy:
            break;
        }
        if (!waited) {
            waited = true;
            testhold::reached("lock-busy");
            deadline = Clock::now() + kBusyWait;
        }
        const auto now = Clock::now();
        if (now >= deadline)
            return IoResult::failure(
                QStringLiteral("Another program is writing %1: it did not finish within %2 seconds.")
                    .arg(QDir::toNativeSeparators(path))
                    .arg(std::chrono::duration_cast<std::chrono::seconds>(kBusyWait).count()));
        std::this_thread::sleep_for(std::min<Clock::duration>(pause, deadline - now));
    }
}

void unlock(int handle) { release(handle); }

} // namespace zorvek::filelock
