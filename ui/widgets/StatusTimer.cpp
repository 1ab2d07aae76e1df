// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/StatusTimer.h"

#include "ui/SideEffects.h"

#include <cmath>

namespace zorvek::ui {

StatusTimer::StatusTimer(SideEffects& clock, QObject* parent) : QObject(parent), m_clock(clock)
{
    m_timer.setSingleShot(true);
    // Qt timers run on a monotonic clock, so midnight or a clock change cannot
    // stall them. Precise, so a text and a stamp due after the same wait end
    // in the order they were started.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &StatusTimer::elapse);
}

void StatusTimer::start(double seconds, std::function<void()> onElapsed)
{
    m_onElapsed = std::move(onElapsed);
    if (!(seconds > 0)) {
        m_timer.stop();
        elapse();
        return;
    }
    const double ms = seconds * m_clock.millisecondsPerSecond();
    m_clock.startTimer(m_timer, static_cast<int>(std::lround(qMin(ms, 1e9))));
}

void StatusTimer::stop()
{
    m_timer.stop();
    m_onElapsed = nullptr;
}

void StatusTimer::elapse()
{
    auto callback = std::move(m_onElapsed);
    m_onElapsed = nullptr;
    if (callback)
        callback();
}

} // namespace zorvek::ui
