// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace zorvek::ui::keyfilter {

// Numeric boxes take only digits, "." and Backspace as typed characters.
bool acceptsTypedCharacter(QChar c);

// Pasted text is held to the same characters.
bool isNumericText(const QString& text);

} // namespace zorvek::ui::keyfilter
