// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/commands/ApplyPatchCommand.h"

#include "cli/CommandSupport.h"
#include "cli/ImageAccess.h"
#include "core/header/CopierHeader.h"
#include "core/header/EditorStamp.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/ImageWrite.h"
#include "core/image/RomChecksum.h"
#include "core/image/SafeFileWriter.h"
#include "core/image/SameFile.h"
#include "data/KnownRecords.h"
#include "patches/PatchPreview.h"

namespace zorvek::cli {

namespace {

struct ApplyPatchRequest {
    QString image;
    QStringList patches; // in the order applied
    bool dryRun = false;
    QString output; // empty: the image is written in place
};

// The new file --output writes: the stamp and, when asked, the checksum
// words, as a save in place would have them.
QByteArray outputBytes(const QByteArray& after, const WriteOptions& options, const QDateTime& now, IoResult* result)
{
    RomImage copy;
    copy.openCopy(after, RomImage::CopyAccess::Scratch);
    *result = SaveQuenHeader(copy, now);
    if (result->ok() && options.fixChecksumOnSave && copy.checkHolds(checksum::kComplementOffset, 4).ok())
        *result = checksum::fix(copy);
    return copy.readBytes(0, copy.size());
}

int applyPatchCommand(const ApplyPatchRequest& request, const WriteOptions& options, Console& console,
                      const QDateTime& now)
{
    if (!request.output.isEmpty() && isSameFile(request.output, request.image)) {
        say(console,
            QStringLiteral("--output %1 is the image; leave it out to write the image in place.").arg(request.output));
        return kUsageError;
    }
    std::vector<patches::PatchFile> files(request.patches.size());
    for (qsizetype i = 0; i < request.patches.size(); ++i)
        if (IoResult r = patches::readPatchFile(request.patches[i], files[i]); !r.ok()) {
            say(console,
                QStringLiteral("Cannot read the patch %1: %2\nNothing was written.").arg(request.patches[i], r.error));
            return kTableRefused;
        }

    // In place, the image is opened as the windows open it (a step cut off
    // by a crash is taken back first); otherwise it is only read.
    const bool inPlace = !request.dryRun && request.output.isEmpty();
    RomImage rom;
    QByteArray image;
    if (inPlace) {
        if (IoResult r = rom.open(request.image); !r.ok()) {
            say(console, QStringLiteral("Cannot open %1: %2").arg(request.image, r.error));
            return kImageRefused;
        }
        if (int refused = kSuccess; !takeBackInFile(rom, request.image, console, &refused))
            return refused;
        image = rom.readBytes(0, static_cast<int>(rom.size()));
        if (IoResult r = rom.takeReadFailure(); !r.ok()) {
            say(console, QStringLiteral("Cannot read %1: %2").arg(request.image, r.error));
            return kImageRefused;
        }
    } else {
        if (IoResult r = readImageFile(request.image, image); !r.ok()) {
            say(console, QStringLiteral("Cannot open %1: %2").arg(request.image, r.error));
            return kImageRefused;
        }
    }
    {
        RomImage copy;
        copy.openCopy(image, RomImage::CopyAccess::ReadOnly, request.image);
        if (!isThisGame(copy, request.image, console))
            return kImageRefused;
    }

    const patches::PatchPreview preview = patches::previewPatches(image, files, data::knownRecords());
    if (!preview.run.ok()) {
        say(console, preview.text);
        return kTableRefused;
    }
    if (request.dryRun) {
        if (!writeOutput(console, (preview.text + QLatin1Char('\n')).toUtf8()))
            return kWriteFailed;
        say(console,
            QStringLiteral("Dry run: the editor stamp%1 would be written too; nothing was written.")
                .arg(options.fixChecksumOnSave ? QStringLiteral(" and the checksum words") : QString()));
        return kSuccess;
    }
    if (!request.output.isEmpty()) {
        IoResult made;
        const QByteArray bytes = outputBytes(preview.after, options, now, &made);
        if (made.ok())
            made = SafeFileWriter::write(request.output, bytes);
        if (!made.ok()) {
            say(console, QStringLiteral("Cannot write %1: %2").arg(request.output, made.error));
            return kWriteFailed;
        }
        say(console, QStringLiteral("Wrote %1; %2 was not written.").arg(request.output, request.image));
        return kSuccess;
    }
    if (preview.run.sizeChanged) {
        say(console, preview.text + QStringLiteral("\nNothing was written."));
        return kTableRefused;
    }
    ImageWriteSession session(rom, [now] { return now; });
    session.setOptions(options);
    const QByteArray romData = preview.after.mid(copier::kHeaderSize);
    const CommandOutcome written = commitThroughCopy(session, image, patches::stepName(files), [&](RomImage& copy) {
        if (IoResult r = SaveQuenHeader(copy, now); !r.ok())
            return r;
        return copy.writeBytes(copier::kHeaderSize, romData);
    });
    if (!written.ok()) {
        say(console, failureText(request.image, written));
        return kWriteFailed;
    }
    sayBackup(session, console);
    for (const QString& note : preview.run.notes)
        say(console, note);
    say(console,
        QStringLiteral("%1: done%2.")
            .arg(patches::stepName(files),
                 options.fixChecksumOnSave ? QStringLiteral(", checksum words included") : QString()));
    return kSuccess;
}

} // namespace

ApplyPatchCommand::ApplyPatchCommand()
    : Command("apply-patch", {QStringLiteral("IMAGE"), QStringLiteral("PATCH")},
              {QStringLiteral("dry-run"), QStringLiteral("no-backup"), QStringLiteral("fix-checksum"),
               QStringLiteral("output")},
              "  apply-patch IMAGE PATCH... [OPTION...]\n"
              "                          Applies IPS, BPS and UPS patches, in the order\n"
              "                          given, to the ROM data as one step. A patch for\n"
              "                          another version of the image, or one that changes\n"
              "                          its size, is refused. Options: --dry-run (prints\n"
              "                          what would change), --no-backup, --fix-checksum,\n"
              "                          --output OUT (writes the result to OUT instead).\n")
{ }

int ApplyPatchCommand::run(const Invocation& call) const
{
    return applyPatchCommand({call.operands[0], call.operands.mid(1), call.isSet("dry-run"), call.value("output")},
                             call.writeOptions(), call.console, call.now);
}

} // namespace zorvek::cli
