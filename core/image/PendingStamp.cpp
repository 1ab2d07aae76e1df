// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/PendingStamp.h"

#include "core/header/EditorStamp.h"
#include "core/image/Clock.h"

#include <cmath>

namespace zorvek {

PendingStamp::PendingStamp(ImageWriteSession& writes, Clock& clock, QObject* parent)
    : QObject(parent), m_writes(writes), m_clock(clock)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (const CommandOutcome r = writeNow(); !r.ok())
            emit writeFailed(r);
    });
}

void PendingStamp::schedule(double seconds)
{
    const double ms = qMax(0.0, seconds * m_clock.millisecondsPerSecond());
    m_timer.start(static_cast<int>(std::lround(qMin(ms, 1e9))));
}

CommandOutcome PendingStamp::flush()
{
    if (!m_timer.isActive())
        return {};
    m_timer.stop();
    return writeNow();
}

CommandOutcome PendingStamp::writeNow()
{
    if (!m_writes.rom().isOpen())
        return {};
    return m_writes.run(QStringLiteral("Stamp"), CommandKind::Other,
                        [this] { return SaveQuenHeader(m_writes.rom(), m_clock.now()); });
}

} // namespace zorvek
