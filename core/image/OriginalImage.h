// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QByteArray>
#include <QString>

#include <optional>

// An unmodified image of this game that the open one is compared with or
// patched against, headered or not.
namespace zorvek::originalimage {

// The ROM data of an original file's bytes (with or without a copier header)
// when it is an image of this game of romDataSize bytes of ROM data;
// otherwise the reason, naming originalName.
std::optional<QByteArray> romDataOf(const QByteArray& originalFile, const QString& originalName, qsizetype romDataSize,
                                    QString* refusal);

// The original's ROM data, or why there is none: either the file could not
// be read (unread gives the system's reason) or it is no original of an
// image of romDataSize bytes of ROM data (refusal says why).
struct RomData {
    QByteArray bytes;
    IoResult unread;
    QString refusal;
    bool ok() const { return unread.ok() && refusal.isEmpty(); }
};
RomData read(const QString& path, qsizetype romDataSize);

} // namespace zorvek::originalimage
