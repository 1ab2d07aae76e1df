// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"
#include "core/table/MonsterTable.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace zorvek::playcopy {

// What an emulator is given to play: the ROM data without the copier header
// (every emulator takes it bare), with valid checksum words, so that nothing
// in it looks like a bad dump.
struct Copy {
    QByteArray romData;
    IoResult result;
};

// From the whole image as it is on disk (copier header included), with the
// monster saves not yet written applied on top; the image itself is never
// touched.
Copy make(const QByteArray& imageBytes, const std::vector<table::monstertable::RecordSave>& unsaved = {});

// The one copy kept for an image in folder: the same image always gets the
// same name, and two images of one name in different folders do not share.
QString pathFor(const QString& folder, const QString& imagePath);

// Written whole or not at all, replacing the copy of the last play.
IoResult write(const QString& path, const QByteArray& romData);

} // namespace zorvek::playcopy
