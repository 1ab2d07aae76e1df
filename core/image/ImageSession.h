// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/ImageWriteSession.h"
#include "core/image/PendingStamp.h"
#include "core/image/RomImage.h"

#include <QObject>

namespace zorvek {

class Clock;

// The open image and what belongs to it while it is open: the one way to
// write to it and the editor stamp still due after a save. Every window
// works on this, so an editor needs no main window to read, save or undo.
class ImageSession : public QObject {
    Q_OBJECT
public:
    explicit ImageSession(Clock& clock, QObject* parent = nullptr);
    // A stamp still due belongs to the image it was saved with.
    ~ImageSession() override;

    RomImage& rom() { return m_rom; }
    const RomImage& rom() const { return m_rom; }
    ImageWriteSession& writes() { return m_writes; }
    PendingStamp& pendingStamp() { return m_pendingStamp; }
    Clock& clock() { return m_clock; }

    // Writes a stamp still due, then lets go of the file, so the stamp never
    // lands in the next image. The image is closed even when that write fails.
    CommandOutcome close();

private:
    Clock& m_clock;
    RomImage m_rom;
    ImageWriteSession m_writes;
    PendingStamp m_pendingStamp;
};

} // namespace zorvek
