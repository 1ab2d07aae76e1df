// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/AttackAnimationImages.h"

#include "data/Artwork.h"
#include "core/monsters/MonsterEntryRules.h"

namespace zorvek::ui {

AttackAnimationImages::AttackAnimationImages(QObject* parent)
    : QObject(parent), m_pictures(monsters::rules::kAttackAnimationCount)
{ }

QPixmap AttackAnimationImages::picture(int index)
{
    if (index < 0 || index >= count())
        return {};
    QPixmap& cached = m_pictures[static_cast<size_t>(index)];
    if (cached.isNull())
        cached = QPixmap::fromImage(data::attackAnimationPicture(index));
    return cached;
}

} // namespace zorvek::ui
