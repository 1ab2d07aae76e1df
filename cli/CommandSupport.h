// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"
#include "core/image/ImageWrite.h"

// What the commands that write to an image share.
namespace zorvek::cli {

// A line for people, on standard error.
void say(Console& console, const QString& text);

// Before an image is written, a step of an earlier run cut off by a crash is
// taken back in the file. False when the image must not be written.
bool takeBackInFile(RomImage& rom, const QString& path, Console& console, int* exitCode);

// The windows' own test of the image.
bool isThisGame(const RomImage& rom, const QString& path, Console& console);

// What a failed write did to the image, for people.
QString failureText(const QString& image, const WriteOutcome& outcome);

void sayBackup(const ImageWriteSession& session, Console& console);

} // namespace zorvek::cli
