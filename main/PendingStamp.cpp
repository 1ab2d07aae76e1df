#include "main/PendingStamp.h"

#include "main/EditorStamp.h"
#include "main/SideEffects.h"

#include <cmath>

namespace zorvek {

PendingStamp::PendingStamp(RomImage& rom, SideEffects& effects, QObject* parent)
    : QObject(parent), m_rom(rom), m_effects(effects)
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (auto r = writeNow(); !r.ok())
            emit writeFailed(r.error);
    });
}

void PendingStamp::schedule(double seconds)
{
    const double ms = qMax(0.0, seconds * m_effects.millisecondsPerSecond());
    m_timer.start(static_cast<int>(std::lround(qMin(ms, 1e9))));
}

IoResult PendingStamp::flush()
{
    if (!m_timer.isActive())
        return IoResult::success();
    m_timer.stop();
    return writeNow();
}

IoResult PendingStamp::writeNow()
{
    if (!m_rom.isOpen())
        return IoResult::success();
    if (auto r = m_rom.checkSameFile(); !r.ok())
        return r;
    return SaveQuenHeader(m_rom, m_effects.now());
}

} // namespace zorvek
