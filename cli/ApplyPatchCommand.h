// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CommandLine.h"
#include "core/image/ImageWriteSession.h"

namespace zorvek::cli {

struct ApplyPatchRequest {
    QString image;
    QStringList patches;  // in the order applied
    bool dryRun = false;
    QString output;       // empty: the image is written in place
};

// Applies the patches to the image's ROM data as one step, after the
// editor stamp; a dry run prints what they would change.
int applyPatchCommand(const ApplyPatchRequest& request, const WriteOptions& options, Console& console,
                      const QDateTime& now);

} // namespace zorvek::cli
