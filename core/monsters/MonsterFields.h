// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/monsters/MonsterSave.h"

#include <array>
#include <vector>

namespace zorvek::monsters::fields {

enum class Kind {
    Byte,  // one byte, shown as its number
    Word,  // two bytes, low byte first
    Flags, // eight bits, shown as eight entries of a list
};

// One field of a monster record as the editor moves it between the file and
// its controls: loading, saving and the stats dump all walk this one list, so
// a field cannot be read by one of them and forgotten by another.
struct Field {
    int offset; // within the record
    Kind kind;
    const char* control; // objectName of the box, label or list that shows it
    const char* label;   // how a refused save names it; nullptr for flags
    int listFirst;       // Flags: the first of its eight list entries
    // Where Save takes the field from; both null for fields it never writes.
    QString MonsterEntries::*text;
    uint8_t MonsterEntries::*flags;
    const char* dumpLabel; // its line in the stats dump; nullptr when not dumped
    int dumpLine;          // that line's place among the dumped fields
};

// Every field, in the order Save checks and writes them; the fields Save
// never writes come last.
const std::array<Field, kFieldCount>& all();

// The place of a field of all().
int indexOf(const Field& field);

// The most a field's bytes hold: what a save accepts.
int capacity(const Field& field);

// The dumped fields, in the order of their dump lines.
std::vector<const Field*> dumped();

} // namespace zorvek::monsters::fields
