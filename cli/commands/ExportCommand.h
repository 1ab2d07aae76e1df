// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Writes the monster and character tables of an image.
class ExportCommand final : public Command {
public:
    ExportCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
