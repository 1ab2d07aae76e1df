// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"

#include <memory>
#include <vector>

namespace zorvek::cli {

// Every command, in the order --help lists them.
const std::vector<std::unique_ptr<Command>>& commands();

// Null when no command has that name.
const Command* findCommand(const QString& name);

// "info, export, ... or play-copy"
QString commandNames();

// The "Commands:" part of --help, from each command's own paragraph.
QString commandsHelp();

} // namespace zorvek::cli
