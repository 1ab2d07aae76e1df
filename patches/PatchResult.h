// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace zorvek::patches {

// A patch's bytes, or why none could be made.
struct PatchResult {
    QByteArray bytes;
    QString error;
    bool ok() const { return error.isEmpty(); }
};

// No SNES cartridge maps more than 16 MiB: a patch whose result would be
// bigger is damaged or hostile, and is refused before anything is allocated.
inline constexpr qint64 kMaxImageSize = 0x1000000;

// What applying a patch gave, or where in the patch it went wrong.
struct ApplyResult {
    QByteArray target;
    QString error;
    qint64 at = -1;           // the patch's byte where it goes wrong
    bool wrongSource = false; // a sound patch for another version of the image
    bool ok() const { return error.isEmpty(); }

    static ApplyResult failure(qint64 at, const QString& reason)
    {
        return {{}, QStringLiteral("it goes wrong at byte %1 (0x%2): %3").arg(at).arg(at, 0, 16).arg(reason), at};
    }
};

} // namespace zorvek::patches
