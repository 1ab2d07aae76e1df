// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"
#include "core/image/ImageWriteSession.h"
#include "patches/PatchMaker.h"

#include <optional>

namespace zorvek::cli {

// Table files as given on the command line: empty when not asked for, "-"
// for the standard streams.
struct TablePaths {
    QString monsters;
    QString characters;
};

int infoCommand(const QString& image, Console& console);
int exportCommand(const QString& image, const TablePaths& tables, Console& console);
int importCommand(const QString& image, const TablePaths& tables, bool dryRun, const WriteOptions& options,
                  Console& console, const QDateTime& now);
int fixChecksumCommand(const QString& image, const WriteOptions& options, Console& console, const QDateTime& now);
// No format: the patch file's extension must name one.
int makePatchCommand(const QString& original, const QString& image, const QString& patch,
                     std::optional<patches::PatchFormat> format, Console& console);

} // namespace zorvek::cli
