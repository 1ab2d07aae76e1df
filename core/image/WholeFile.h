// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QByteArray>
#include <QString>

class QIODevice;

namespace zorvek {

// Reads device to its end, but never more than limit + 1 bytes: a result
// longer than limit tells the caller there was too much without ever holding
// all of it (a pipe or a device has no size to check first). The error gives
// the system's reason; bytes are then empty.
IoResult readUpTo(QIODevice& device, qint64 limit, QByteArray& bytes);

// The same for the file at path, opened for reading here.
IoResult readFileUpTo(const QString& path, qint64 limit, QByteArray& bytes);

} // namespace zorvek
