// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Writes a patch from an unmodified original to an image, neither written.
class MakePatchCommand final : public Command {
public:
    MakePatchCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
