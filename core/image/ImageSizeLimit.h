// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QByteArray>
#include <QString>

namespace zorvek {

// The largest image any SNES cartridge gives: the ExHiROM map addresses at
// most 64 Mbit (8 MiB) of ROM, and a copier puts 512 bytes in front of it.
// Anything larger is no image of a cartridge and is refused before it is
// read, so that a huge or sparse file is never read whole.
constexpr qint64 kLargestImageSize = (qint64{8} << 20) + 512;

// Fails, naming the bound, for a file larger than any image.
IoResult checkImageSize(qint64 size);

// The whole file at path, read without ever holding more than any image
// (a pipe or a device has no size to check first); the error gives the
// system's reason.
IoResult readImageFile(const QString& path, QByteArray& bytes);

} // namespace zorvek
