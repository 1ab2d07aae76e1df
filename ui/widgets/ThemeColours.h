// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

class QLineEdit;

namespace zorvek::ui::theme {

// WCAG contrast ratio of two colours, 1 to 21.
double contrast(const QColor& a, const QColor& b);

// The wanted colour, made darker or lighter until it stands out from the
// background by at least the ratio: the hue stays, the palette decides.
QColor readableOn(const QColor& wanted, const QColor& background, double ratio = 4.5);

// The base colour moved toward the tint by the given share (0 to 1).
QColor blend(const QColor& base, const QColor& tint, double share);

// A read-only looking box: the window's face colour as its ground and the
// window's text colour on it, following every palette the program is given.
void keepWindowColoured(QLineEdit* box);

} // namespace zorvek::ui::theme
