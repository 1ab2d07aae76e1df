// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/GameData.h"

#include <QFile>

namespace zorvek::data {
namespace {

// One entry per line. Trailing blanks are part of some entries, so lines are
// never trimmed; only line-end debris is removed.
QStringList loadTable(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(file.readAll());
    text.remove(QLatin1Char('\r'));
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

} // namespace

const QStringList& monsterNames()
{
    static const QStringList table = loadTable(QStringLiteral(":/data/monster_names.txt"));
    return table;
}

const QStringList& equipmentLabels()
{
    static const QStringList table = loadTable(QStringLiteral(":/data/equipment.txt"));
    return table;
}

const QStringList& battleCommandLabels()
{
    static const QStringList table = loadTable(QStringLiteral(":/data/battle_commands.txt"));
    return table;
}

const QStringList& attackAnimationDescriptions()
{
    static const QStringList table = loadTable(QStringLiteral(":/data/attack_animations.txt"));
    return table;
}

} // namespace zorvek::data
