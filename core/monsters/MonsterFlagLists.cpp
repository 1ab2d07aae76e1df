// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/MonsterFlagLists.h"

namespace zorvek::monsters::flaglists {

namespace {

QStringList prefixed(const QString& prefix, const QStringList& names)
{
    QStringList out;
    for (const QString& name : names)
        out.append(prefix + name);
    return out;
}

const QStringList kStatuses = {"Mini", "Toad", "Stone", "Death", "Blind", "Zombie", "Poison", "Float"};

} // namespace

const QStringList& elementalEntries()
{
    static const QStringList entries =
        prefixed("Weak Against: ", {"Fire", "Ice", "Bolt", "Poison", "Holy", "Earth", "Wind", "Water"})
        + prefixed("Absorb: ", {"Fire", "Ice", "Bolt", "Poison", "Holy", "Earth", "Water", "Wind"})
        + prefixed("No DMG from: ", {"Fire", "Ice", "Bolt", "Poison", "Holy", "Earth", "Water", "Wind"});
    return entries;
}

const QStringList& statusEntries()
{
    static const QStringList entries = prefixed("Start Battle: ", kStatuses) + prefixed("Strong Against: ", kStatuses);
    return entries;
}

const QStringList& specialAttributeEntries()
{
    static const QStringList entries = {"HP Regen", "No DMG from Weapons",      "Unknown", "Unknown", "Unknown",
                                        "Unknown",  "Reduced DMG from Weapons", "Wall"};
    return entries;
}

} // namespace zorvek::monsters::flaglists
