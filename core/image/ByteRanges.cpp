// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ByteRanges.h"

#include <algorithm>

namespace zorvek {

std::vector<ByteRange> changedRanges(const QByteArray& before, const QByteArray& after)
{
    std::vector<ByteRange> ranges;
    const qsizetype common = std::min(before.size(), after.size());
    const char* a = before.constData();
    const char* b = after.constData();
    for (qsizetype i = 0; i < common;) {
        const qsizetype at = std::mismatch(b + i, b + common, a + i).first - b;
        if (at >= common)
            break;
        qsizetype end = at + 1;
        while (end < common && a[end] != b[end])
            ++end;
        ranges.push_back({at, end - 1});
        i = end;
    }
    if (after.size() > common)
        ranges.push_back({common, after.size() - 1});
    return ranges;
}

} // namespace zorvek
