// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"
#include "core/image/DurableFiles.h"

// The commands alone, for scripts and machines without a display: this
// program loads no window system at all.
int main(int argc, char* argv[])
{
    zorvek::durable::ignoreFileSizeSignal();
    return zorvek::cli::run(argc, argv);
}
