// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageSession.h"

#include "core/image/Clock.h"

namespace zorvek {

ImageSession::ImageSession(Clock& clock, QObject* parent)
    : QObject(parent),
      m_clock(clock),
      m_writes(m_rom, [&clock] { return clock.now(); }),
      m_pendingStamp(m_writes, clock, nullptr)
{ }

ImageSession::~ImageSession() { m_pendingStamp.flush(); }

CommandOutcome ImageSession::close()
{
    const CommandOutcome stamped = m_pendingStamp.flush();
    m_rom.close();
    return stamped;
}

} // namespace zorvek
