// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandTable.h"

#include "cli/commands/AddHeaderCommand.h"
#include "cli/commands/ApplyPatchCommand.h"
#include "cli/commands/ExportCommand.h"
#include "cli/commands/FixChecksumCommand.h"
#include "cli/commands/ImportCommand.h"
#include "cli/commands/InfoCommand.h"
#include "cli/commands/MakePatchCommand.h"
#include "cli/commands/PlayCopyCommand.h"
#include "cli/commands/RemoveHeaderCommand.h"

#include <algorithm>

namespace zorvek::cli {

namespace {

std::vector<std::unique_ptr<Command>> made()
{
    std::vector<std::unique_ptr<Command>> all;
    all.push_back(std::make_unique<InfoCommand>());
    all.push_back(std::make_unique<ExportCommand>());
    all.push_back(std::make_unique<ImportCommand>());
    all.push_back(std::make_unique<FixChecksumCommand>());
    all.push_back(std::make_unique<MakePatchCommand>());
    all.push_back(std::make_unique<ApplyPatchCommand>());
    all.push_back(std::make_unique<AddHeaderCommand>());
    all.push_back(std::make_unique<RemoveHeaderCommand>());
    all.push_back(std::make_unique<PlayCopyCommand>());
    return all;
}

} // namespace

const std::vector<std::unique_ptr<Command>>& commands()
{
    static const std::vector<std::unique_ptr<Command>> all = made();
    return all;
}

const Command* findCommand(const QString& name)
{
    const auto& all = commands();
    const auto found = std::find_if(all.begin(), all.end(), [&](const auto& c) { return c->name() == name; });
    return found == all.end() ? nullptr : found->get();
}

QString commandNames()
{
    QStringList names;
    for (const auto& command : commands())
        names.append(command->name());
    const QString last = names.takeLast();
    return names.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last;
}

QString commandsHelp()
{
    QString text = QStringLiteral("Commands:\n");
    for (const auto& command : commands())
        text += command->help();
    return text;
}

} // namespace zorvek::cli
