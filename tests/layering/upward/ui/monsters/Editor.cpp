// SPDX-License-Identifier: GPL-3.0-or-later
// Breaks the rules on purpose: an editor that reaches for the main window,
// by name and by a relative path, and a window that includes test fixtures.
#include "ui/MainWindow.h"
#include "../MainWindow.h"
#include "fixtures/RomFixture.h"
