// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace zorvek::test {

// Writes bytes into the file in place, as another program does (cp over it,
// dd conv=notrunc, a patcher): the same file, the same size. With
// keepModified the modification time is set back, as cp -p and touch -d do,
// so that only the change time tells. False if the file could not be written.
bool rewriteInPlace(const QString& path, qint64 offset, const QByteArray& bytes, bool keepModified = false);

} // namespace zorvek::test
