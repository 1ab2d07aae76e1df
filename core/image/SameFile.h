// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvek {

// Whether two paths lead to one file: by the file's identity when both
// exist, so links (symbolic or hard) and other spellings are seen through;
// by the cleaned absolute path, its folder's links resolved, when one does
// not exist yet.
bool isSameFile(const QString& a, const QString& b);

// The path of the file path leads to, links resolved; for a file that does
// not exist yet, its folder's. Files beside it and settings about it go by it.
QString resolvedFilePath(const QString& path);

} // namespace zorvek
