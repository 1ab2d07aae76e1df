// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Writes the checksum words for the ROM data when they are not valid.
class FixChecksumCommand final : public Command {
public:
    FixChecksumCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
