#pragma once

#include <QStringList>

namespace zorvek::ui {

// The file types every dialog that picks a ROM image offers; the second,
// Super MagiCom, is the one chosen at first.
const QStringList& imageFileFilters();

} // namespace zorvek::ui
