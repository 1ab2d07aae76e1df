// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"

#include <QList>
#include <QString>

namespace zorvek::cli {

struct InfoLine {
    QString label;
    QString value;
};

// What the info command prints about an image, one line per fact.
QList<InfoLine> imageInfo(const RomImage& image, const QString& path);

QString infoText(const QList<InfoLine>& lines);

} // namespace zorvek::cli
