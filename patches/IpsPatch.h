// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchResult.h"

#include <optional>
#include <vector>

namespace zorvek::patches::ips {

inline constexpr qint64 kMaxRecordLength = 0xFFFF;  // the record's 16-bit size
inline constexpr qint64 kMaxTargetSize = 0x1000000; // offsets are 24-bit
inline constexpr qint64 kEofOffset = 0x454F46;      // reads as the "EOF" marker: no record starts there

// Records for every byte of target that differs from source (bytes past the
// end of source always count as different). A target shorter than source, or
// too big for 24-bit offsets, is refused.
PatchResult create(const QByteArray& source, const QByteArray& target);

struct Record {
    qint64 offset = 0;
    qint64 length = 0;
    qsizetype data = -1; // where its bytes are in the patch; -1 for a run of fill
    char fill = 0;
    qint64 end() const { return offset + length; }
};

// A patch read whole before anything is applied, so that where its records
// fall can be judged first.
struct Parsed {
    std::vector<Record> records;
    std::optional<qint64> truncateTo; // the extension after the end marker
    ApplyResult problem;              // not ok: where the patch goes wrong
};

Parsed read(const QByteArray& patch);

// The records written into source, each moved back by shift bytes (a patch
// made from an image with a copier header), growing it where they reach past
// its end, then the truncation.
QByteArray apply(const QByteArray& patch, const Parsed& parsed, QByteArray source, qint64 shift = 0);

} // namespace zorvek::patches::ips
