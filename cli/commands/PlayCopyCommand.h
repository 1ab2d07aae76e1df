// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Writes the copy of the image that the window's Play starts an emulator
// on, for scripts that start one themselves. The image is only read.
class PlayCopyCommand final : public Command {
public:
    PlayCopyCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
