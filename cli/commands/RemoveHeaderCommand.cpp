// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/RemoveHeaderCommand.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "core/header/CopierHeader.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/ImageCopy.h"

#include <QDir>

namespace zorvek::cli {

namespace {

// Copies the ROM data of a headered image of this game to out, for the
// emulators and patch tools that want it bare.
int removeHeaderCommand(const QString& image, const QString& out, bool force, Console& console)
{
    const imagecopy::FileBytes source = imagecopy::readWhole(image);
    if (!source.result.ok()) {
        say(console, source.result.error);
        return kImageRefused;
    }
    const auto kind = headerless::classify(source.bytes);
    if (kind == headerless::Kind::ThisGame || kind == headerless::Kind::NotWholeBanks) {
        say(console,
            QStringLiteral("%1 has no copier header to remove: this game's ROM data starts at its first "
                           "byte. Nothing was written.")
                .arg(QDir::toNativeSeparators(image)));
        return kImageRefused;
    }
    if (kind == headerless::Kind::OtherGame) {
        say(console, wrongGameText(QDir::toNativeSeparators(image)) + QStringLiteral(" Nothing was written."));
        return kImageRefused;
    }
    const int code =
        copyWritten(imagecopy::writeCopy(out, source.bytes.mid(copier::kHeaderSize), image, force), console);
    if (code == kSuccess)
        say(console,
            QStringLiteral("Wrote the ROM data of %1 without its copier header to %2.")
                .arg(QDir::toNativeSeparators(image), QDir::toNativeSeparators(out)));
    return code;
}

} // namespace

RemoveHeaderCommand::RemoveHeaderCommand()
    : Command("remove-header", {QStringLiteral("IMAGE"), QStringLiteral("OUT")}, {QStringLiteral("force")},
              "  remove-header IMAGE OUT [--force]\n"
              "                          Writes the ROM data of IMAGE without its copier\n"
              "                          header, for emulators and patch tools.\n"
              "                          Neither command writes over IMAGE, nor over an\n"
              "                          existing OUT unless --force is given.\n")
{ }

int RemoveHeaderCommand::run(const Invocation& call) const
{
    return removeHeaderCommand(call.operands[0], call.operands[1], call.isSet("force"), call.console);
}

} // namespace zorvek::cli
