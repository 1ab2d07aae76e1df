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

} // namespace zorvek::patches
