// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/InfoCommand.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "cli/ImageInfo.h"
#include "core/header/CopierHeader.h"

namespace zorvek::cli {

namespace {

int infoCommand(const QString& image, Console& console)
{
    RomImage rom;
    if (IoResult r = readCopy(image, rom, console); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (!writeOutput(console, infoText(imageInfo(rom, image)).toUtf8()))
        return kWriteFailed;
    return romcheck::isRightGame(rom) ? kSuccess : kImageRefused;
}

} // namespace

InfoCommand::InfoCommand()
    : Command("info", {QStringLiteral("IMAGE")}, {},
              "  info IMAGE              Size, copier type, internal name, check word and\n"
              "                          checksum state.\n")
{ }

int InfoCommand::run(const Invocation& call) const { return infoCommand(call.operands[0], call.console); }

} // namespace zorvek::cli
