// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandSupport.h"

#include <QIODevice>

namespace zorvek::cli {

void say(Console& console, const QString& text) { console.err.write((text + QLatin1Char('\n')).toUtf8()); }

// What a failed write did to the image, for people.
QString failureText(const QString& image, const CommandOutcome& outcome)
{
    const QString error = outcome.result.error;
    if (outcome.backupFailed)
        return QStringLiteral(
                   "Nothing was written to %1: its backup copy could not be made: %2\n"
                   "To write without a backup, add --no-backup.")
            .arg(image, error);
    const QString text = QStringLiteral("Writing %1 failed: %2\n").arg(image, error);
    if (const QString left = stepLeftText(outcome, image); !left.isEmpty())
        return text + left;
    return text + QStringLiteral("Nothing was written.");
}

void sayBackup(const ImageWriteSession& session, Console& console)
{
    if (!session.backupPath().isEmpty())
        say(console, QStringLiteral("A copy of the image was made first: %1").arg(session.backupPath()));
}

int copyWritten(const imagecopy::Outcome& outcome, Console& console)
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

} // namespace zorvek::cli
