// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Copies the ROM data of a headered image of this game, for the emulators
// and patch tools that want it bare.
class RemoveHeaderCommand final : public Command {
public:
    RemoveHeaderCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
