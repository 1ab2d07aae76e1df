#pragma once

#include "main/RomImage.h"
#include "patches/PatchResult.h"

#include <QStringList>

namespace zorvek::patches {

enum class PatchFormat { Ips, Bps };

inline constexpr const char* kIpsFilter = "IPS Patch (*.ips)";
inline constexpr const char* kBpsFilter = "BPS Patch (*.bps)";

QStringList saveFilters();

// The file's extension decides when it names a format, else the chosen filter;
// IPS when neither does.
PatchFormat formatFor(const QString& selectedFilter, const QString& patchPath);

// The open image's ROM data: everything after the copier header.
QByteArray romDataOf(const RomImage& rom);

// A patch from the original file's bytes (headered or not) to the image's ROM
// data. An original of another game or another ROM size is refused with a
// message naming originalName.
PatchResult make(const QByteArray& originalFile, const QString& originalName, const QByteArray& romData,
                 PatchFormat format);

// Reads the original, makes the patch and writes it to patchPath; nothing is
// written when the original is refused.
IoResult createPatchFile(const QString& originalPath, const QByteArray& romData, const QString& patchPath,
                         PatchFormat format);

} // namespace zorvek::patches
