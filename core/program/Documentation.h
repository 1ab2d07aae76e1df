// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace zorvek::docs {

// The readme beside an installed program (its doc folder, found from the
// program's folder), else the one of the sources it was built from; empty
// when neither exists.
QString readmePath(const QString& programFolder);

// The address chosen when building, or else the readme above; an empty
// address when there is neither.
QUrl homePage(const QString& programFolder);

} // namespace zorvek::docs
