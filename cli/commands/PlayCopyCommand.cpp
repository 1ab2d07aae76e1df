// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/PlayCopyCommand.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/ImageCopy.h"
#include "core/image/RollbackJournal.h"
#include "core/play/PlayCopy.h"

#include <QDir>

namespace zorvek::cli {

PlayCopyCommand::PlayCopyCommand()
    : Command("play-copy", {QStringLiteral("IMAGE"), QStringLiteral("OUT")}, {},
              "  play-copy IMAGE OUT     Writes what the editor's Play gives an emulator:\n"
              "                          the ROM data without the copier header, with valid\n"
              "                          checksum words. OUT is replaced; IMAGE is only read.\n")
{ }

int PlayCopyCommand::run(const Invocation& call) const
{
    const QString& image = call.operands[0];
    const QString& out = call.operands[1];
    Console& console = call.console;
    const QString shownImage = QDir::toNativeSeparators(image);
    imagecopy::FileBytes source = imagecopy::readWhole(image);
    if (!source.result.ok()) {
        say(console, source.result.error);
        return kImageRefused;
    }
    // As the window would open it: a step cut off by a crash is not played.
    if (rollback::recoverCopy(image, source.bytes).state == rollback::Recovery::State::TakenBack)
        say(console,
            QStringLiteral("%1 holds part of a step cut off by a crash: the copy is made from the image as "
                           "it was before that step.")
                .arg(shownImage));
    const auto kind = headerless::classify(source.bytes);
    if (kind != headerless::Kind::HasCopierHeader) {
        say(console,
            kind == headerless::Kind::OtherGame
                ? wrongGameText(shownImage) + QStringLiteral(" Nothing was written.")
                : QStringLiteral("%1 has no copier header: it is ROM data an emulator takes as it is. "
                                 "Nothing was written.")
                      .arg(shownImage));
        return kImageRefused;
    }
    const playcopy::Copy copy = playcopy::make(source.bytes);
    if (!copy.result.ok()) {
        say(console, QStringLiteral("Cannot make the play copy of %1: %2").arg(shownImage, copy.result.error));
        return kImageRefused;
    }
    // Replaced as the window replaces its copy at each play, but never the image.
    const imagecopy::Outcome written = imagecopy::writeCopy(out, copy.romData, image, true);
    if (!written.ok()) {
        say(console, written.result.error);
        return written.failure == imagecopy::Failure::Refused ? kUsageError : kWriteFailed;
    }
    say(console,
        QStringLiteral("Wrote the play copy of %1 to %2: no copier header, valid checksum.")
            .arg(shownImage, QDir::toNativeSeparators(out)));
    return kSuccess;
}

} // namespace zorvek::cli
