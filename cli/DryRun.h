// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/ImportPlan.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace zorvek::cli {

// What an import would do to an image, told from the bytes it would change.
struct DryRunReport {
    QByteArray lines; // a line per changed record naming each changed field, one for the checksum words
    QString summary;  // counts, the stamp, and whether the checksum words are written
    IoResult result;  // the import itself would fail
};

// Makes the import's writes, the checksum words included when fixChecksum,
// on a copy of imageBytes, and describes every byte that differs: fields by
// the values the file would store before and after, so a word the import
// writes capped (a stored 65535 saved as 65500) is listed as well.
DryRunReport dryRunReport(const QByteArray& imageBytes, const ImportPlan& plan, bool fixChecksum, const QDateTime& now);

} // namespace zorvek::cli
