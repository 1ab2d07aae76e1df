// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Copies a headerless image of this game with a copier header of the chosen
// type in front of it.
class AddHeaderCommand final : public Command {
public:
    AddHeaderCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
