// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

namespace zorvek::cli {

// Size, copier type, internal name, check word and checksum state of an image.
class InfoCommand final : public Command {
public:
    InfoCommand();
    int run(const Invocation& call) const override;
};

} // namespace zorvek::cli
