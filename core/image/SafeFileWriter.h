// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QByteArray>
#include <QString>

namespace zorvek {

// Writes the whole files the program makes (patches, tables, dumps, copies)
// so that a failure never passes for a file: the bytes go to a temporary
// name beside the file, are flushed and synced to the disk, and only then
// take the file's name. On any failure before that nothing is left under
// the name (an older file there stays as it was); one in syncing the folder
// after it is reported too, the file then named but not safe from a power
// cut (see DurableFiles.h). The error gives the system's reason.
class SafeFileWriter {
public:
    // An existing path that is not a regular file (a device, a pipe, a
    // folder) is refused before anything is written: renaming over it would
    // replace a device node or a pipe a reader waits on. So is a link to a
    // file that does not exist; a link to an existing file is followed.
    static IoResult write(const QString& path, const QByteArray& bytes);

    // Why path cannot take a new file; empty when it can.
    static QString refusal(const QString& path);
};

} // namespace zorvek
