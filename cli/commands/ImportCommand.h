// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Writes the records that differ in the tables back into the image, or says
// what it would write.
class ImportCommand final : public Command {
public:
    ImportCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
