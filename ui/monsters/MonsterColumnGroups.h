// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

namespace zorvek::ui::monstercolumns {

// Columns of the monster table shown and hidden together; the record and
// the name are in none, they always show.
struct ColumnGroup {
    const char* key;   // remembered in the settings, and names the View menu's action
    const char* title; // the View menu's text
    std::vector<int> columns;
};

const std::vector<ColumnGroup>& groups();

} // namespace zorvek::ui::monstercolumns
