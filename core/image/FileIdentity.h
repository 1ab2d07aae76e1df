// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace zorvek {

// Which file on which volume a handle or a path leads to, and how it stood
// when looked at: two names for the same file share volume and file, a new
// file put in place of an old one does not; a file rewritten in place keeps
// them but not its size or times.
struct FileIdentity {
    quint64 volume = 0;
    quint64 file = 0;
    qint64 size = 0;
    // Nanoseconds since the epoch. The change time moves with every write and
    // cannot be set back by the writer, as the modification time can (cp -p,
    // touch -d). Windows has no change time here: it stays 0.
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;
};

// The one test of whether two looks saw one file: paths (isSameFile in
// SameFile.h) and the open image's check both come here.
inline bool isSameFile(const FileIdentity& a, const FileIdentity& b)
{
    return a.volume == b.volume && a.file == b.file;
}

// The same file, and nothing written to it between the two looks.
inline bool isUnchanged(const FileIdentity& then, const FileIdentity& now)
{
    return isSameFile(then, now) && then.size == now.size && then.modifiedNs == now.modifiedNs
        && then.changedNs == now.changedNs;
}

// nullopt when the system cannot tell (for a path: it no longer exists).
std::optional<FileIdentity> identityOfHandle(int handle);
std::optional<FileIdentity> identityOfPath(const QString& path);

} // namespace zorvek
