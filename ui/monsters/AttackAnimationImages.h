// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPixmap>

#include <vector>

namespace zorvek::ui {

// The pictures of the attack animation list, by entry index. Each is drawn
// the first time it is shown and kept for the life of the window.
class AttackAnimationImages : public QObject {
    Q_OBJECT
public:
    explicit AttackAnimationImages(QObject* parent);

    int count() const { return static_cast<int>(m_pictures.size()); }
    // A null pixmap for an index without an entry.
    QPixmap picture(int index);

private:
    std::vector<QPixmap> m_pictures;
};

} // namespace zorvek::ui
