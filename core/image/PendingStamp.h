// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/ImageWriteSession.h"

#include <QObject>
#include <QTimer>

namespace zorvek {

class Clock;

// An editor stamp due some seconds after a save. It belongs to the image
// that was saved: whoever closes or replaces that image flushes it first,
// so it never lands in another file, and it outlives the editor window.
// It is a step of its own in the journal.
class PendingStamp : public QObject {
    Q_OBJECT
public:
    PendingStamp(ImageWriteSession& writes, Clock& clock, QObject* parent = nullptr);

    // A second save during the wait restarts it; one stamp covers both.
    void schedule(double seconds);
    // Writes a due stamp now; nothing when none is due.
    CommandOutcome flush();
    // Drops a due stamp unwritten.
    void cancel() { m_timer.stop(); }
    bool isPending() const { return m_timer.isActive(); }

signals:
    void writeFailed(const zorvek::CommandOutcome& outcome);

private:
    CommandOutcome writeNow();

    ImageWriteSession& m_writes;
    Clock& m_clock;
    QTimer m_timer;
};

} // namespace zorvek
