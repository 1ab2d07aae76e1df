// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"
#include "core/image/RomImage.h"

// How the commands open, read and check an image, and what they say about
// a step an earlier run left cut off by a crash.
namespace zorvek::cli {

// The whole image as a reading command sees it: a step cut off by a crash
// is read as not made, and the file is left for a command that writes.
IoResult readWhole(const QString& path, QByteArray& bytes, Console& console);

// readWhole, attached as a copy.
IoResult readCopy(const QString& path, RomImage& rom, Console& console);

// Before an image is written, a step of an earlier run cut off by a crash is
// taken back in the file. False when the image must not be written.
bool takeBackInFile(RomImage& rom, const QString& path, Console& console, int* exitCode);

// "NAME is not this game's image: its check word is wrong."
QString wrongGameText(const QString& name);

// The windows' own test of the image.
bool isThisGame(const RomImage& rom, const QString& path, Console& console);

} // namespace zorvek::cli
