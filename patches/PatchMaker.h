// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "patches/PatchResult.h"

#include <QStringList>

#include <optional>

namespace zorvek::patches {

enum class PatchFormat { Ips, Bps };

// The format a file's extension names (.ips, .bps, any case), if any.
std::optional<PatchFormat> formatOfName(const QString& patchPath);

// The open image's ROM data: everything after the copier header.
QByteArray romDataOf(const RomImage& rom);

// A patch from the original file's bytes (headered or not) to the image's ROM
// data. An original of another game or another ROM size is refused with a
// message naming originalName.
PatchResult make(const QByteArray& originalFile, const QString& originalName, const QByteArray& romData,
                 PatchFormat format);

// What a failed createPatchFile could not do.
enum class PatchFailure { None, Original, PatchFile };

// Reads the original, makes the patch and writes it to patchPath; nothing is
// written when the original is refused. failure, if given, says which part failed.
IoResult createPatchFile(const QString& originalPath, const QByteArray& romData, const QString& patchPath,
                         PatchFormat format, PatchFailure* failure = nullptr);

} // namespace zorvek::patches
