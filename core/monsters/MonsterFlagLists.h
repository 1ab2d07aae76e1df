// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace zorvek::monsters::flaglists {

// Each flag byte fills eight neighbouring entries of one list, from here.
inline constexpr int kWeaknessFirst = 0;         // elemental list
inline constexpr int kAbsorbFirst = 8;           // elemental list
inline constexpr int kElementImmunityFirst = 16; // elemental list
inline constexpr int kStartStatusFirst = 0;      // status list
inline constexpr int kStatusImmunityFirst = 8;   // status list
inline constexpr int kSpecialAttributesFirst = 0;

// The texts, in list order. The weakness entries end "Wind", "Water" but
// the absorb and immunity entries "Water", "Wind": each text names its bit.
const QStringList& elementalEntries();        // 24
const QStringList& statusEntries();           // 16
const QStringList& specialAttributeEntries(); // 8

} // namespace zorvek::monsters::flaglists
