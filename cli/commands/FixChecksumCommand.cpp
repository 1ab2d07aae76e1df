// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/FixChecksumCommand.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "core/image/ImageWrite.h"
#include "core/image/RomChecksum.h"

namespace zorvek::cli {

namespace {

int fixChecksumCommand(const QString& image, const WriteOptions& options, Console& console, const QDateTime& now)
{
    RomImage rom;
    if (IoResult r = rom.open(image); !r.ok()) {
        say(console, QStringLiteral("Cannot open %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (int refused = kSuccess; !takeBackInFile(rom, image, console, &refused))
        return refused;
    if (!isThisGame(rom, image, console))
        return kImageRefused;
    if (!rom.checkHolds(checksum::kComplementOffset, checksum::kWordsLength).ok()) {
        say(console,
            QStringLiteral("%1 is too short (%2 bytes) to hold the checksum words.").arg(image).arg(rom.size()));
        return kImageRefused;
    }
    const checksum::State state = checksum::readState(rom);
    if (IoResult r = rom.takeReadFailure(); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    if (state.valid()) {
        say(console,
            QStringLiteral("The checksum of %1 is already %2: nothing was written.")
                .arg(image, checksum::stateText(state)));
        return kSuccess;
    }
    ImageWriteSession session(rom, [now] { return now; });
    session.setOptions(options);
    const CommandOutcome written =
        session.run(QStringLiteral("Fix checksum"), CommandKind::Other, [&rom] { return checksum::fix(rom); });
    if (!written.ok()) {
        say(console, failureText(image, written));
        return kWriteFailed;
    }
    sayBackup(session, console);
    // Fixing the words never changes the sum they are checked against.
    const checksum::State fixed{state.computed, static_cast<uint16_t>(~state.computed), state.computed};
    say(console,
        QStringLiteral("The checksum of %1 was %2; it is now %3.")
            .arg(image, checksum::stateText(state), checksum::stateText(fixed)));
    return kSuccess;
}

} // namespace

FixChecksumCommand::FixChecksumCommand()
    : Command("fix-checksum", {QStringLiteral("IMAGE")}, {QStringLiteral("no-backup")},
              "  fix-checksum IMAGE [--no-backup]\n"
              "                          Writes the checksum words for the ROM data; nothing\n"
              "                          when they are already valid.\n")
{ }

int FixChecksumCommand::run(const Invocation& call) const
{
    return fixChecksumCommand(call.operands[0], call.writeOptions(), call.console, call.now);
}

} // namespace zorvek::cli
