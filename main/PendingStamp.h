#pragma once

#include "main/RomImage.h"

#include <QObject>
#include <QTimer>

namespace zorvek {

class SideEffects;

// An editor stamp due some seconds after a save. It belongs to the image
// that was saved: whoever closes or replaces that image flushes it first,
// so it never lands in another file, and it outlives the editor window.
class PendingStamp : public QObject {
    Q_OBJECT
public:
    PendingStamp(RomImage& rom, SideEffects& effects, QObject* parent);

    // A second save during the wait restarts it; one stamp covers both.
    void schedule(double seconds);
    // Writes a due stamp now; nothing when none is due.
    IoResult flush();
    bool isPending() const { return m_timer.isActive(); }

signals:
    void writeFailed(const QString& reason);

private:
    IoResult writeNow();

    RomImage& m_rom;
    SideEffects& m_effects;
    QTimer m_timer;
};

} // namespace zorvek
