// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/MakePatchCommand.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/OriginalImage.h"
#include "core/image/SameFile.h"
#include "patches/PatchMaker.h"

#include <QFile>

#include <optional>

namespace zorvek::cli {

namespace {

// No format: the patch file's extension must name one.
int makePatchCommand(const QString& original, const QString& image, const QString& patch,
                     std::optional<patches::PatchFormat> format, Console& console)
{
    // Writing the patch over either image would destroy it.
    if (isSameFile(patch, original) || isSameFile(patch, image)) {
        say(console, QStringLiteral("The patch %1 would replace one of the images; give another file.").arg(patch));
        return kUsageError;
    }
    if (!format)
        format = patches::formatOfName(patch);
    if (!format) {
        say(console,
            QStringLiteral("%1 names no patch format: give --format ips or --format bps, or end the "
                           "file name in .ips or .bps.")
                .arg(patch));
        return kUsageError;
    }
    RomImage rom;
    if (IoResult r = readCopy(image, rom, console); !r.ok()) {
        say(console, QStringLiteral("Cannot read %1: %2").arg(image, r.error));
        return kImageRefused;
    }
    // Headerless, as the original may be: the patch is of the ROM data alone.
    const bool bare = headerless::lacksCopierHeader(rom);
    if (!bare && !isThisGame(rom, image, console))
        return kImageRefused;
    const QByteArray romData = bare ? rom.readBytes(0, rom.size()) : patches::romDataOf(rom);
    patches::PatchFailure failure = patches::PatchFailure::None;
    if (IoResult r = patches::createPatchFile(original, romData, patch, *format, &failure); !r.ok()) {
        say(console, r.error);
        return failure == patches::PatchFailure::Original ? kImageRefused : kWriteFailed;
    }
    say(console,
        QStringLiteral("Wrote the %1 patch %2.")
            .arg(*format == patches::PatchFormat::Bps ? QStringLiteral("BPS") : QStringLiteral("IPS"), patch));
    // The original was read and taken above; an empty patch must not pass for a change.
    QString unused;
    if (QByteArray read; readImageFile(original, read).ok()
        && originalimage::romDataOf(read, original, romData.size(), &unused) == romData)
        say(console,
            QStringLiteral("The ROM data of %1 and %2 do not differ: the patch changes nothing.").arg(original, image));
    return kSuccess;
}

} // namespace

MakePatchCommand::MakePatchCommand()
    : Command("make-patch", {QStringLiteral("ORIGINAL"), QStringLiteral("IMAGE"), QStringLiteral("PATCH")},
              {QStringLiteral("format")},
              "  make-patch ORIGINAL IMAGE PATCH [--format ips|bps]\n"
              "                          Writes a patch from the unmodified ORIGINAL to\n"
              "                          IMAGE, in the format --format or PATCH's extension\n"
              "                          names. Neither image is written. IMAGE and\n"
              "                          ORIGINAL may be with or without a copier header.\n")
{ }

int MakePatchCommand::run(const Invocation& call) const
{
    std::optional<patches::PatchFormat> chosen;
    if (call.isSet("format")) {
        const QString name = call.value("format").toLower();
        if (name != QLatin1String("ips") && name != QLatin1String("bps"))
            return usageError(call.console, QStringLiteral("--format takes ips or bps."));
        chosen = name == QLatin1String("bps") ? patches::PatchFormat::Bps : patches::PatchFormat::Ips;
    }
    return makePatchCommand(call.operands[0], call.operands[1], call.operands[2], chosen, call.console);
}

} // namespace zorvek::cli
