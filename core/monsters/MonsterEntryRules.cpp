// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/MonsterEntryRules.h"

#include "core/text/NumberText.h"

namespace zorvek::monsters::rules {

QString corrected(const QString& text, int maximum)
{
    if (text.isEmpty())
        return QStringLiteral("0");
    if (numbertext::isAbove(text, maximum))
        return QString::number(maximum);
    return text;
}

bool isBeyondAttackList(const QString& text) { return numbertext::isAbove(text, kAttackAnimationCount - 1); }

} // namespace zorvek::monsters::rules
