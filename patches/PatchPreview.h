// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/ChangeReport.h"
#include "patches/PatchApply.h"

namespace zorvek::patches {

// Patches applied to a copy of a whole image, and what they change in it.
struct PatchPreview {
    PatchRun run;
    QByteArray after; // the whole image: its copier header and the patched ROM data
    table::ChangeReport report;
    QString text; // for people: the patches, how they were fitted, what they change

    bool applicable() const { return run.ok() && !run.sizeChanged; }
};

// tables: what the report tells field by field.
PatchPreview previewPatches(const QByteArray& image, const std::vector<PatchFile>& patches,
                            const std::vector<table::KnownRecords>& tables);

// "Apply patch a.ips, b.bps"
QString stepName(const std::vector<PatchFile>& patches);

} // namespace zorvek::patches
