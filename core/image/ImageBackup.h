// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QDateTime>
#include <QString>

namespace zorvek::backup {

inline constexpr int kKeptCopies = 5; // per image; older copies are deleted
inline constexpr const char* kTimeFormat = "yyyyMMdd-HHmmss";

// "<file name>.<yyyyMMdd-HHmmss>.bak" for the first copy of a second,
// "<file name>.<yyyyMMdd-HHmmss>-<n>.bak" for the n-th.
QString copyName(const QString& fileName, const QDateTime& when, int n = 1);

// Copies the whole file beside itself under the first free name for when.
// The copy is complete and on disk before it takes that name (unnamed until
// then where the system allows, so a kill leaves nothing), and a name
// another program takes meanwhile is left to it. madePath, if given,
// receives the copy's path.
IoResult make(const QString& imagePath, const QDateTime& when, QString* madePath = nullptr);

// Deletes the image's own copies (names of exactly copyName's form, regular
// files of the image's size owned by the user running the program, never a
// link) but the newest kKeptCopies, newest by when they were made; keep is
// never deleted and counts as the newest.
void prune(const QString& imagePath, const QString& keep);

} // namespace zorvek::backup
