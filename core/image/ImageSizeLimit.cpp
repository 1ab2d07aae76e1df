// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageSizeLimit.h"

#include "core/image/WholeFile.h"

namespace zorvek {

IoResult checkImageSize(qint64 size)
{
    if (size <= kLargestImageSize)
        return IoResult::success();
    return IoResult::failure(QStringLiteral("The file holds more than %1 bytes, the largest SNES cartridge image "
                                            "with a copier header (64 Mbit and 512 bytes): it is not read.")
                                 .arg(kLargestImageSize));
}

IoResult readImageFile(const QString& path, QByteArray& bytes)
{
    if (IoResult r = readFileUpTo(path, kLargestImageSize, bytes); !r.ok())
        return r;
    IoResult r = checkImageSize(bytes.size());
    if (!r.ok())
        bytes.clear();
    return r;
}

} // namespace zorvek
