// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"

namespace zorvek::cli {

// Writes to out the copy of image that the window's Play starts an emulator
// on, for scripts that start one themselves. The image is only read.
int playCopyCommand(const QString& image, const QString& out, Console& console);

} // namespace zorvek::cli
