// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QListWidget>

namespace zorvek::ui {

// A list of on/off flags: a click switches the entry under the pointer and
// Space the current one. Moving with the button held switches nothing more,
// since a hand that slips while clicking would otherwise change flags that
// Save then writes.
class FlagListWidget final : public QListWidget {
    Q_OBJECT
public:
    explicit FlagListWidget(QWidget* parent = nullptr);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};

} // namespace zorvek::ui
