// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchMaker.h"

#include <QStringList>

namespace zorvek::ui {

// The file types every dialog that picks a ROM image offers; the second,
// Super MagiCom, is the one chosen at first.
const QStringList& imageFileFilters();

// For an unmodified original: every kind of image, headerless ones too, at once.
const QStringList& originalImageFilters();

// The ROM data alone, as emulators and patch sites take it.
const QString& headerlessImageFilter();

// The patch formats Create Patch writes, IPS (chosen at first) before BPS.
const QStringList& patchSaveFilters();

// The file's extension decides when it names a format, else the chosen
// filter; IPS when neither does.
patches::PatchFormat patchFormatFor(const QString& selectedFilter, const QString& patchPath);

} // namespace zorvek::ui
