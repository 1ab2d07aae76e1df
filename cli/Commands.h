#pragma once

#include "cli/CommandLine.h"

namespace zorvek::cli {

// Table files as given on the command line: empty when not asked for, "-"
// for the standard streams.
struct TablePaths {
    QString monsters;
    QString characters;
};

int infoCommand(const QString& image, Console& console);
int exportCommand(const QString& image, const TablePaths& tables, Console& console);
int importCommand(const QString& image, const TablePaths& tables, bool dryRun, Console& console,
                  const QDateTime& now);

} // namespace zorvek::cli
