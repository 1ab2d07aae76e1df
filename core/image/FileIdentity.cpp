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
std::optional<FileIdentity> identityOf(HANDLE handle)
{
    BY_HANDLE_FILE_INFORMATION info;
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &info))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, quint64{info.nFileIndexHigh} << 32 | info.nFileIndexLow};
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
FileIdentity identityOf(const struct stat& st)
{
    return FileIdentity{static_cast<quint64>(st.st_dev), static_cast<quint64>(st.st_ino)};
}
} // namespace

std::optional<FileIdentity> identityOfHandle(int handle)
{
    struct stat st {};
    if (handle < 0 || ::fstat(handle, &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

std::optional<FileIdentity> identityOfPath(const QString& path)
{
    // Follows links, as opening the path did.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return identityOf(st);
}

#endif

} // namespace zorvek
