// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Command.h"

#include "core/program/AppSettings.h"

#include <QIODevice>

namespace zorvek::cli {

WriteOptions Invocation::writeOptions() const
{
    const AppSettings settings;
    return WriteOptions{!isSet("no-backup") && settings.backUpBeforeFirstSave(),
                        isSet("fix-checksum") || settings.fixChecksumOnSave()};
}

int usageError(Console& console, const QString& problem)
{
    console.err.write((problem + QStringLiteral("\nTry --help.\n")).toUtf8());
    return kUsageError;
}

} // namespace zorvek::cli
