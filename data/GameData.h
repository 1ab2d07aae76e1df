// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Fixed game tables; each list is indexed by the byte value it stands for.
namespace zorvek::data {

const QStringList& monsterNames();                // 256 entries, by record index
const QStringList& equipmentLabels();             // 256 entries, 0x00..0xFF
const QStringList& battleCommandLabels();         // 160 entries, 0x00..0x9F
const QStringList& attackAnimationDescriptions(); // 208 entries, 0x00..0xCF

} // namespace zorvek::data
