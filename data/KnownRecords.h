// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/table/ChangeReport.h"

namespace zorvek::data {

// The monster and character tables, with the game's names: what a report of
// changed bytes can tell field by field. In that order.
const std::vector<table::KnownRecords>& knownRecords();

} // namespace zorvek::data
