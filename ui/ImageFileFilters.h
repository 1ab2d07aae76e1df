// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace zorvek::ui {

// The file types every dialog that picks a ROM image offers; the second,
// Super MagiCom, is the one chosen at first.
const QStringList& imageFileFilters();

// For an unmodified original: every kind of image, headerless ones too, at once.
const QStringList& originalImageFilters();

} // namespace zorvek::ui
