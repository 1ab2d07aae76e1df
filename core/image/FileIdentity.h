#pragma once

#include <QString>

#include <optional>

namespace zorvek {

// Which file on which volume a handle or a path leads to: two names for the
// same file share it, a new file put in place of an old one does not.
struct FileIdentity {
    quint64 volume = 0;
    quint64 file = 0;
    bool operator==(const FileIdentity&) const = default;
};

// nullopt when the system cannot tell (for a path: it no longer exists).
std::optional<FileIdentity> identityOfHandle(int handle);
std::optional<FileIdentity> identityOfPath(const QString& path);

} // namespace zorvek
