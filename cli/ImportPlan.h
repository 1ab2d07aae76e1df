// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/characters/CharacterSlot.h"
#include "core/image/ImageWrite.h"
#include "core/image/RomImage.h"
#include "core/monsters/MonsterSave.h"
#include "core/table/TableError.h"

#include <QDateTime>

#include <optional>
#include <vector>

namespace zorvek::cli {

using table::TableError;

struct MonsterChange {
    int record = 0;
    monsters::MonsterValues values;
};

struct CharacterChange {
    int slot = 0;
    characters::CharacterValues values;
};

// The records an import changes, each already checked as its window's Save checks it.
struct ImportPlan {
    std::vector<MonsterChange> monsters;
    std::vector<CharacterChange> characters;
    bool isEmpty() const { return monsters.empty() && characters.empty(); }
};

// A table's text and the name its messages use for it.
struct TableFile {
    QString label;
    QByteArray text;
};

// Adds the rows of a table that differ from the image (read through
// current, which is never written) to the plan: all of them, or none when
// the table is refused.
std::optional<TableError> planMonsters(const TableFile& file, RomImage& current, ImportPlan& plan);
std::optional<TableError> planCharacters(const TableFile& file, RomImage& current, ImportPlan& plan);

// An import's writes, the windows' own: the editor stamp once, then every
// changed record with its window's save, in record order. Stops at the first
// failed write. commitImport makes them on a copy in memory.
IoResult writeImport(RomImage& rom, const ImportPlan& plan, const QDateTime& now);

// The import's writes as the step "Import", all or nothing (commitThroughCopy).
CommandOutcome commitImport(ImageWriteSession& session, const QByteArray& imageBytes, const ImportPlan& plan,
                            const QDateTime& now);

// "3 monsters and 1 character"
QString changeCount(const ImportPlan& plan);
QString changeCount(size_t monsters, size_t characters);

} // namespace zorvek::cli
