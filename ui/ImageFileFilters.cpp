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
        + imageFileFilters() + QStringList{headerlessImageFilter()};
    return filters;
}

const QString& headerlessImageFilter()
{
    static const QString filter = QStringLiteral("Headerless ROM File (*.sfc)");
    return filter;
}

const QStringList& patchSaveFilters()
{
    static const QStringList filters{QStringLiteral("IPS Patch (*.ips)"), QStringLiteral("BPS Patch (*.bps)")};
    return filters;
}

patches::PatchFormat patchFormatFor(const QString& selectedFilter, const QString& patchPath)
{
    if (const auto named = patches::formatOfName(patchPath))
        return *named;
    return selectedFilter == patchSaveFilters().at(1) ? patches::PatchFormat::Bps : patches::PatchFormat::Ips;
}

} // namespace zorvek::ui
