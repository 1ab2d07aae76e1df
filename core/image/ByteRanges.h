// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <vector>

namespace zorvek {

struct ByteRange {
    qint64 first = 0;
    qint64 last = 0; // included
};

// The runs of bytes where after differs from before, in order; bytes after
// grew by count as one run at its end.
std::vector<ByteRange> changedRanges(const QByteArray& before, const QByteArray& after);

} // namespace zorvek
