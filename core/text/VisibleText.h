// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace zorvek {

// The text with its control characters spelled out ("\r", "\x00"), so that a
// message quoting a cell or a name shows what is there: a carriage return
// must not send the rest of the line back over its start, nor a NUL vanish.
QString visibleControls(QStringView text);

} // namespace zorvek
