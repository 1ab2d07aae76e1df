// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"
#include "core/header/CopierHeader.h"

namespace zorvek::cli {

// Copies a headerless image of this game to out with a copier header of the
// given type in front of it.
int addHeaderCommand(const QString& image, const QString& out, CopierType type, bool force, Console& console);

// Copies the ROM data of a headered image of this game to out, for the
// emulators and patch tools that want it bare.
int removeHeaderCommand(const QString& image, const QString& out, bool force, Console& console);

} // namespace zorvek::cli
