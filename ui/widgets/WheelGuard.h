// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QWidget;

namespace zorvek::ui {

// A drop-down list changes its entry when the wheel turns over it, even
// without focus: scrolling past one would silently change a stored byte.
// Guarded lists take the wheel only while they have the focus.
class WheelGuard : public QObject {
    Q_OBJECT
public:
    static void install(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

} // namespace zorvek::ui
