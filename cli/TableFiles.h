// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/Command.h"
#include "cli/ImportPlan.h"
#include "core/table/TableSchema.h"

#include <functional>
#include <optional>

// The table files export writes and import reads.
namespace zorvek::cli {

// The name that stands for standard output or standard input.
inline const QString kStandardStream = QStringLiteral("-");

// Table files as given on the command line: empty when not asked for, "-"
// for the standard streams.
struct TablePaths {
    QString monsters;
    QString characters;
};

// --monsters and --characters; nullopt, with the usage error said in code,
// without one or with the same name for both.
std::optional<TablePaths> tablePaths(const QString& command, const Invocation& call, int* code);

table::RecordCells monsterCells(RomImage& rom, int index, table::CellValues values);

// This game's image, holding the tables asked for.
bool imageAccepted(const RomImage& rom, const QString& path, const TablePaths& tables, Console& console);

QByteArray tableText(const table::TableDefinition& table, const std::function<table::RecordCells(int)>& cells);

// A table far longer than its records can be is refused before it is split
// into cells, which takes many times its size in memory.
std::optional<TableFile> readTable(const QString& path, const table::TableDefinition& table, Console& console);

} // namespace zorvek::cli
