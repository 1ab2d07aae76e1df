// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/ImageWrite.h"

#include <QString>

class QWidget;

namespace zorvek::ui {

class SideEffects;

// Says that a write to the image at imagePath failed, with the system's reason.
void reportWriteFailure(SideEffects& effects, QWidget* parent, const QString& imagePath, const QString& reason);

// Says that a read of the image at imagePath failed, with the system's
// reason and what follows from it.
void reportReadFailure(SideEffects& effects, QWidget* parent, const QString& imagePath, const IoResult& failure,
                       const QString& consequence);

// The same, or for a backup that failed, that nothing was written and how to
// save without one.
void reportFailure(SideEffects& effects, QWidget* parent, const QString& imagePath, const CommandOutcome& outcome);

} // namespace zorvek::ui
