// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/ImageWriteSession.h"

#include <QByteArray>

#include <functional>

namespace zorvek {

// What a failed step left in the image, said once, in the same words by every
// window and command; empty when nothing had reached the image.
QString stepLeftText(const CommandOutcome& outcome, const QString& imagePath);

// The bytes that writes change in a copy of imageBytes (the whole image, as
// it is now), written as the step command: one write per run of changed
// bytes instead of one per field, so the file ends exactly as after the
// same writes made one by one. A write refused on the copy writes nothing.
CommandOutcome commitThroughCopy(ImageWriteSession& session, const QByteArray& imageBytes, const QString& command,
                                 const std::function<IoResult(RomImage& copy)>& writes);

} // namespace zorvek
