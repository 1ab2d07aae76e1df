// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// All pictures are painted at run time, so the same call always gives the same
// pixels and nothing has to be shipped as image files.
namespace zorvek::data {

// 64x64 picture of attack animation 0..207, drawn from its description;
// a null image for any other index.
QImage attackAnimationPicture(int index);

QImage dumpButtonPicture();         // 32x32: a page with lines and an arrow
QImage lockButtonPicture();         // 32x32: a padlock
QImage monsterPlaceholderPicture(); // 153x119: stands in for the monster graphic

// 16x16; slot 0..4 = right hand, left hand, head, body, arms. Null otherwise.
QImage equipmentIcon(int slot);

// 32x32 for "Open", "Save", "Config", "URL", "Characters", "Monsters"; null otherwise.
QImage toolbarIcon(const QString& key);

QImage aboutPicture();    // 64x64 program emblem
QImage applicationIcon(); // 64x64 window icon

} // namespace zorvek::data
