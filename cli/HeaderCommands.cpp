// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/HeaderCommands.h"

#include "core/image/HeaderlessImage.h"
#include "core/image/ImageCopy.h"

#include <QDir>

namespace zorvek::cli {

namespace {

void say(Console& console, const QString& text) { console.err.write((text + QLatin1Char('\n')).toUtf8()); }

int written(const imagecopy::Outcome& outcome, Console& console)
{
    if (outcome.ok())
        return kSuccess;
    say(console, outcome.result.error);
    // An output that is no file counts as one that cannot be written, as for every command.
    if (outcome.failure == imagecopy::Failure::Write || outcome.failure == imagecopy::Failure::NotAFile)
        return kWriteFailed;
    if (outcome.failure == imagecopy::Failure::Exists)
        say(console, QStringLiteral("Add --force to replace it."));
    return kUsageError;
}

} // namespace

int addHeaderCommand(const QString& image, const QString& out, CopierType type, bool force, Console& console)
{
    const imagecopy::FileBytes source = imagecopy::readWhole(image);
    if (!source.result.ok()) {
        say(console, source.result.error);
        return kImageRefused;
    }
    const auto kind = headerless::classify(source.bytes);
    if (kind != headerless::Kind::ThisGame) {
        say(console, headerless::refusalText(kind, QDir::toNativeSeparators(image), source.bytes.size()) +
                         QStringLiteral(" Nothing was written."));
        return kImageRefused;
    }
    const int code = written(imagecopy::writeCopy(out, imagecopy::headerFor(type) + source.bytes, image, force), console);
    if (code == kSuccess)
        say(console, QStringLiteral("Wrote %1 with a %2 header.")
                         .arg(QDir::toNativeSeparators(out), QLatin1String(copier::typeNames()[static_cast<int>(type)])));
    return code;
}

int removeHeaderCommand(const QString& image, const QString& out, bool force, Console& console)
{
    const imagecopy::FileBytes source = imagecopy::readWhole(image);
    if (!source.result.ok()) {
        say(console, source.result.error);
        return kImageRefused;
    }
    const auto kind = headerless::classify(source.bytes);
    if (kind == headerless::Kind::ThisGame || kind == headerless::Kind::NotWholeBanks) {
        say(console, QStringLiteral("%1 has no copier header to remove: this game's ROM data starts at its first "
                                    "byte. Nothing was written.")
                         .arg(QDir::toNativeSeparators(image)));
        return kImageRefused;
    }
    if (kind == headerless::Kind::OtherGame) {
        say(console, QStringLiteral("%1 is not this game's image: its check word is wrong. Nothing was written.")
                         .arg(QDir::toNativeSeparators(image)));
        return kImageRefused;
    }
    const int code =
        written(imagecopy::writeCopy(out, source.bytes.mid(copier::kHeaderSize), image, force), console);
    if (code == kSuccess)
        say(console, QStringLiteral("Wrote the ROM data of %1 without its copier header to %2.")
                         .arg(QDir::toNativeSeparators(image), QDir::toNativeSeparators(out)));
    return code;
}

} // namespace zorvek::cli
