// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/header/CopierHeader.h"
#include "core/image/IoResult.h"

#include <QByteArray>
#include <QString>

namespace zorvek::imagecopy {

// The 512 bytes in front of the ROM data: the words Save ROM writes for the
// type, zeros everywhere else (no stamp: the copy is made, not saved).
QByteArray headerFor(CopierType type);

// The whole file, or why it could not be read.
struct FileBytes {
    QByteArray bytes;
    IoResult result;
};
FileBytes readWhole(const QString& path);

enum class Failure {
    None,
    Exists,   // the target exists and was not to be replaced: nothing was written
    Refused,  // the target may never be written: nothing was
    NotAFile, // the target exists and is no regular file: nothing was written
    Write,    // writing failed: nothing is left under the target's name
};

struct Outcome {
    IoResult result;
    Failure failure = Failure::None;
    bool ok() const { return failure == Failure::None; }
};

// Writes bytes as the file target: under a temporary name, synced, then
// renamed, so the target is whole or untouched. Never over source (by
// identity, whatever the names), never over anything but a regular file,
// and over an existing file only when replaceExisting.
Outcome writeCopy(const QString& target, const QByteArray& bytes, const QString& source, bool replaceExisting);

} // namespace zorvek::imagecopy
