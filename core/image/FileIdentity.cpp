// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/FileIdentity.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <sys/stat.h>
#endif

namespace zorvek {

#ifdef Q_OS_WIN

namespace {
// 100-nanosecond ticks since 1601, as nanoseconds since 1970.
qint64 nanoseconds(const FILETIME& time)
{
    constexpr qint64 kTicksTo1970 = 116444736000000000;
    const qint64 ticks = static_cast<qint64>(quint64{time.dwHighDateTime} << 32 | time.dwLowDateTime);
    return (ticks - kTicksTo1970) * 100;
}

std::optional<FileIdentity> identityOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, quint64{info.nFileIndexHigh} << 32 | info.nFileIndexLow,
                        static_cast<qint64>(quint64{info.nFileSizeHigh} << 32 | info.nFileSizeLow),
                        nanoseconds(info.ftLastWriteTime), 0};
}
} // namespace

std::optional<FileIdentity> identityOfHandle(int handle)
{
    return identityOf(reinterpret_cast<HANDLE>(_get_osfhandle(handle)));
}

std::optional<FileIdentity> identityOfPath(const QString& path)
{
    // Attributes only, shared every way: looking must not lock the file.
    const QString native = QDir::toNativeSeparators(path);
    HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(native.utf16()), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return std::nullopt;
    const auto identity = identityOf(handle);
    CloseHandle(handle);
    return identity;
}

#else

namespace {
qint64 nanoseconds(const struct timespec& time) { return static_cast<qint64>(time.tv_sec) * 1000000000 + time.tv_nsec; }

FileIdentity identityOf(const struct stat& st)
{
#ifdef Q_OS_DARWIN
    const struct timespec& modified = st.st_mtimespec;
    const struct timespec& changed = st.st_ctimespec;
#else
    const struct timespec& modified = st.st_mtim;
    const struct timespec& changed = st.st_ctim;
#endif
    return FileIdentity{static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino),
                        static_cast<qint64>(st.st_size), nanoseconds(modified), nanoseconds(changed)};
}
} // namespace

std::optional<FileIdentity> identityOfHandle(int handle)
{
    struct stat st { };
    if (handle < 0 || ::fstat(handle, &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

std::optional<FileIdentity> identityOfPath(const QString& path)
{
    // Follows links, as opening the path did.
    struct stat st { };
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

#endif

} // namespace zorvek
