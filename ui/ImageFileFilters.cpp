// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ImageFileFilters.h"

namespace zorvek::ui {

const QStringList& imageFileFilters()
{
    static const QStringList filters{
        QStringLiteral("All Files (*.*)"),
        QStringLiteral("Super MagiCom ROM File (*.smc)"),
        QStringLiteral("Super Wild Card ROM File (*.swc)"),
        QStringLiteral("Pro Fighter X ROM File (*.fig)"),
    };
    return filters;
}

const QStringList& originalImageFilters()
{
    // Headered and headerless images alike, in the first, chosen filter.
    static const QStringList filters = QStringList{QStringLiteral("ROM Images (*.smc *.swc *.fig *.sfc)")}
                                       + imageFileFilters() + QStringList{QStringLiteral("Headerless ROM File (*.sfc)")};
    return filters;
}

} // namespace zorvek::ui
