// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageSizeLimit.h"

#include "core/image/SystemError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

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
    bytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(file.errorString());
    if (IoResult r = checkImageSize(file.size()); !r.ok())
        return r;
    constexpr qint64 kChunk = qint64{1} << 20;
    for (;;) {
        const qsizetype had = bytes.size();
        bytes.resize(had + std::min(kChunk, kLargestImageSize + 1 - had));
        errno = 0;
        const qint64 got = file.read(bytes.data() + had, bytes.size() - had);
        if (got < 0) {
            bytes.clear();
            return IoResult::failure(failureReason(file, errno));
        }
        bytes.resize(had + got);
        if (IoResult r = checkImageSize(bytes.size()); !r.ok()) {
            bytes.clear();
            return r;
        }
        if (got == 0)
            return IoResult::success();
    }
}

} // namespace zorvek
