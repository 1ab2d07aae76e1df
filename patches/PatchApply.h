// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/ByteRanges.h"
#include "core/image/IoResult.h"
#include "patches/PatchResult.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace zorvek::patches {

enum class PatchKind { Ips, Bps, Ups };

// The format a patch's first bytes name.
std::optional<PatchKind> kindOf(const QByteArray& patch);

struct PatchFile {
    QString name; // as messages name it
    QByteArray bytes;
};

// Reads a patch file, refusing one far bigger than any patch of an SNES
// image can be before it is read into memory.
IoResult readPatchFile(const QString& path, PatchFile& file);

using zorvek::ByteRange;

// Where patches applied one after another change the ROM data.
struct PatchRun {
    QByteArray romData; // after every patch
    QStringList notes;  // how a patch was fitted (an IPS made with a copier header)
    QStringList overlaps;
    std::vector<std::vector<ByteRange>> changed; // per patch, in ROM data offsets
    QString error;                               // names the patch and why it was refused
    bool wrongSource = false;
    bool sizeChanged = false;
    bool ok() const { return error.isEmpty(); }
};

// Applies the patches in order to the ROM data (the image without its copier
// header). An IPS whose records fit only with a copier header counted in is
// moved back by it, and the notes say so.
PatchRun applyPatches(const QByteArray& romData, const std::vector<PatchFile>& patches);

// "0x01A2B0-0x01A2BF"
QString rangeText(const ByteRange& range);

} // namespace zorvek::patches
