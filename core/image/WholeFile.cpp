// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/WholeFile.h"

#include "core/image/SystemError.h"

#include <QFile>

#include <algorithm>
#include <cerrno>

namespace zorvek {

IoResult readUpTo(QIODevice& device, qint64 limit, QByteArray& bytes)
{
    constexpr qint64 kChunk = qint64{1} << 20;
    bytes.clear();
    while (bytes.size() <= limit) {
        const qsizetype had = bytes.size();
        bytes.resize(had + std::min(kChunk, limit + 1 - had));
        errno = 0;
        const qint64 got = device.read(bytes.data() + had, bytes.size() - had);
        if (got < 0) {
            bytes.clear();
            return IoResult::failure(failureReason(device, errno));
        }
        bytes.resize(had + got);
        if (got == 0)
            break;
    }
    return IoResult::success();
}

IoResult readFileUpTo(const QString& path, qint64 limit, QByteArray& bytes)
{
    bytes.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return IoResult::failure(file.errorString());
    return readUpTo(file, limit, bytes);
}

} // namespace zorvek
