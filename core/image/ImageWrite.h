// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/ImageWriteSession.h"

#include <QByteArray>

#include <functional>

namespace zorvek {

struct WriteOutcome {
    CommandOutcome written;
    // A write failed after others had landed, and they were written back:
    // the image is as it was.
    bool takenBack = false;
    // The failed step could not be written back: the image may hold part of it.
    bool partlyWritten = false;
    IoResult takeBackResult;
    bool ok() const { return written.ok(); }
};

// What a failed step left in the image, said once, in the same words by every
// window and command; empty when nothing had reached the image.
QString stepLeftText(const WriteOutcome& outcome, const QString& imagePath);

// Writes as one step of the session, taken back through the journal when
// they fail part way, so that the step is all or nothing.
WriteOutcome writeStep(ImageWriteSession& session, const QString& command, CommandKind kind,
                       const std::function<IoResult()>& writes);

// The bytes that writes change in a copy of imageBytes (the whole image, as
// it is now), written as the step command: one write per run of changed
// bytes instead of one per field, so the file ends exactly as after the
// same writes made one by one. A write refused on the copy writes nothing.
WriteOutcome commitThroughCopy(ImageWriteSession& session, const QByteArray& imageBytes, const QString& command,
                               const std::function<IoResult(RomImage& copy)>& writes);

} // namespace zorvek
