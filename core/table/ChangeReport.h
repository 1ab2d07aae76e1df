// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "core/table/TableSchema.h"

#include <QStringList>

#include <functional>
#include <set>
#include <vector>

namespace zorvek::table {

// A table of fixed-size records that the editor shows field by field.
struct KnownRecords {
    const TableDefinition* definition = nullptr;
    qint64 start = 0; // file offset of record 0
    qint64 stride = 0;
    int count = 0;
    std::function<RecordCells(RomImage&, int)> cells; // as the file stores them
    std::function<QString(int, const RecordCells&)> title;
};

// What differs between two versions of a whole image (copier header
// included), told by what the editor knows of its bytes.
struct ChangeReport {
    QStringList lines;
    std::vector<std::set<int>> records; // per known table, the records touched
    qint64 otherBytes = 0;              // bytes outside every known place
};

// Each touched record with every field old -> new, the internal name, the
// copier header, the checksum words, then the other bytes as ranges of file
// offsets with their count.
ChangeReport describeChanges(const QByteArray& before, const QByteArray& after,
                             const std::vector<KnownRecords>& tables);

} // namespace zorvek::table
