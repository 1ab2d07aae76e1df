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
        // A list named by the entry it shows says nothing about what it is for.
        const bool named = !name.isEmpty() && !(node->role() == QAccessible::ComboBox && name == node->text(QAccessible::Value));
        if (state.focusable && !state.invisible && !state.disabled && !named) {
            const QObject* object = node->object();
            unnamed << QStringLiteral("%1 %2").arg(node->role()).arg(object ? object->objectName() : QString());
        }
        switch (node->role()) {
        case QAccessible::List:
        case QAccessible::Table:
        case QAccessible::Tree:
        case QAccessible::ComboBox:
            return;
        default:
            break;
        }
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(window));
    return unnamed;
}

} // namespace zorvek::test
