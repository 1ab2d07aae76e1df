// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/characters/CharacterEntryRules.h"

#include "core/text/NumberText.h"

namespace zorvek::characters::rules {

std::optional<QString> correctedText(const QString& text, Cap cap)
{
    if (text.isEmpty())
        return QStringLiteral("0");
    // A text that reads as no number (".", "1..") is left for the save to read as 0.
    if (cap == Cap::Attribute && numbertext::isAbove(text, kAttributeCap, numbertext::Sign::Allowed))
        return QString::number(kAttributeCap);
    return std::nullopt;
}

int16_t shownPoints(int16_t stored)
{
    return stored > kShownPointsCap ? static_cast<int16_t>(kShownPointsCap) : stored;
}

namespace {

QString hexByte(uint8_t value)
{
    return QStringLiteral("0x") + QString::number(value, 16).rightJustified(2, QLatin1Char('0')).toUpper();
}

} // namespace

QString unlistedEquipmentLabel(uint8_t value) { return QStringLiteral("Unlisted item (%1)").arg(hexByte(value)); }

QString unlistedCommandLabel(uint8_t value) { return QStringLiteral("Unlisted command (%1)").arg(hexByte(value)); }

} // namespace zorvek::characters::rules
