// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

namespace zorvek::ui {

class SideEffects;

// One restartable timer per window in place of nested waits: a newer text
// replaces an older one at once and the label empties when the most recent
// text's time has passed. Dies with its window, so closing mid-wait is safe.
class StatusTimer : public QObject {
    Q_OBJECT
public:
    StatusTimer(SideEffects& clock, QObject* parent);

    // Restarts the wait; onElapsed runs once when it ends.
    void start(double seconds, std::function<void()> onElapsed);
    void stop();
    bool isActive() const { return m_timer.isActive(); }

private:
    void elapse();

    SideEffects& m_clock;
    QTimer m_timer;
    std::function<void()> m_onElapsed;
};

} // namespace zorvek::ui
