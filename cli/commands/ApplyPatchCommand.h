// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Applies the patches to the image's ROM data as one step, after the
// editor stamp; a dry run prints what they would change.
class ApplyPatchCommand final : public Command {
public:
    ApplyPatchCommand();
    bool repeatsLastOperand() const override { return true; }
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
