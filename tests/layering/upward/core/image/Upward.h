// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Breaks the rules on purpose: the layering check must refuse this tree.
#include "core/image/RomImage.h"
#include "ui/MainWindow.h"
#include <cli/CommandLine.h>
#include "../../cli/CommandLine.h"
#include "tools/DemoRom.h"
