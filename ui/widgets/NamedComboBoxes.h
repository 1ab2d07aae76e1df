// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvek::ui {

// Screen readers on Linux are told a drop-down list's shown entry as its
// name, whatever name it was given: from here on every list is named by its
// accessible name or its label, and its entry is its value. Once per program.
void nameComboBoxesByPurpose();

} // namespace zorvek::ui
