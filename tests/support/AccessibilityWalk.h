// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>
#include <QAccessibleInterface>
#include <QStringList>
#include <QWidget>

#include <functional>

namespace zorvek::test {

// What a screen reader finds in a window: every control it can land on that
// has no name, by role and object name. Items of lists and tables are named
// by their own text; the views themselves are checked. A drop-down list
// named by its shown entry counts as unnamed.
inline QStringList unnamedControls(QWidget* window)
{
    QStringList unnamed;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        if (!node)
            return;
        const QAccessible::State state = node->state();
        const QString name = node->text(QAccessible::Name).trimmed();
        const bool named = !name.isEmpty() && !(node->role() == QAccessible::ComboBox && name == node->text(QAccessible::Value));
        if (state.focusable && !state.invisible && !state.disabled && !named)
            unnamed << QStringLiteral("%1 %2").arg(node->role()).arg(node->object() ? node->object()->objectName() : QString());
        if (QList{QAccessible::List, QAccessible::Table, QAccessible::Tree, QAccessible::ComboBox}.contains(node->role()))
            return;
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return unnamed;
}

} // namespace zorvek::test
