// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/Crc32.h"

#include <zlib.h>

#include <algorithm>

namespace zorvek {

quint32 crc32Of(const char* data, qint64 size)
{
    uLong crc = crc32(0L, Z_NULL, 0);
    for (qint64 done = 0; done < size;) {
        // zlib takes at most an unsigned int per call.
        const auto part = static_cast<uInt>(std::min<qint64>(size - done, 1 << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data + done), part);
        done += part;
    }
    return static_cast<quint32>(crc);
}

} // namespace zorvek
