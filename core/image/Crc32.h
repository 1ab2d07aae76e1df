// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace zorvek {

// The CRC-32 zlib computes (that of ZIP, PNG and the patch formats).
quint32 crc32Of(const char* data, qint64 size);
inline quint32 crc32Of(const QByteArray& bytes) { return crc32Of(bytes.constData(), bytes.size()); }

} // namespace zorvek
