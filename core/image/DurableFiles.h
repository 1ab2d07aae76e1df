// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QString>

// Putting files onto the disk, for every writer of the program (the image,
// its rollback journal and backups, and every file it makes). One policy:
// a sync that a signal interrupts is tried again, and any other failure is
// reported, also that of a folder. A name whose folder did not reach the
// disk can vanish in a power cut, so a file or a removal that may not
// survive one is never reported as done: the user is told and can act.
namespace zorvek::durable {

// Forces what was written through the handle onto the disk (data and size).
IoResult syncHandle(int handle);

// Makes a name made, renamed or removed in the folder survive a power cut.
// A file system that cannot sync a folder at all (and says so) keeps its
// names as safe as it can: that counts as done. Windows keeps folder
// entries with the file; there it does nothing.
IoResult syncFolder(const QString& folder);

// Gives the file at from the name to, only when no file has it: a name
// taken in the meantime by another program is never replaced. *taken tells
// that case from other failures.
IoResult renameNoReplace(const QString& from, const QString& to, bool* taken);

// A file size limit (ulimit -f) then fails a write like a full disk, to be
// taken back and reported, instead of killing the program half way through
// a step. Every program that writes an image calls it first.
void ignoreFileSizeSignal();

} // namespace zorvek::durable
