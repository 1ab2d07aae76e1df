// SPDX-License-Identifier: GPL-3.0-or-later
// Breaks the rules on purpose: an editor that reaches for the main window.
#include "ui/MainWindow.h"
