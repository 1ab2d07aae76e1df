// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"
#include "core/image/ImageCopy.h"
#include "core/image/ImageWrite.h"

// How the commands tell people what they did.
namespace zorvek::cli {

// A line for people, on standard error.
void say(Console& console, const QString& text);

// What a failed write did to the image, for people.
QString failureText(const QString& image, const CommandOutcome& outcome);

void sayBackup(const ImageWriteSession& session, Console& console);

// The exit code of a copy written beside the image, its failure said.
int copyWritten(const imagecopy::Outcome& outcome, Console& console);

} // namespace zorvek::cli
