// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/NamedComboBoxes.h"

#include <QAccessibleWidget>
#include <QComboBox>

namespace zorvek::ui {

namespace {

class NamedComboBox final : public QAccessibleWidget {
public:
    explicit NamedComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) { }

    QString text(QAccessible::Text t) const override
    {
        const auto* box = static_cast<const QComboBox*>(object());
        // The widget's own name is its accessible name, else its label's text.
        return t == QAccessible::Value ? box->currentText() : QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* comboBoxFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QComboBox") || !object || !object->isWidgetType())
        return nullptr;
    return new NamedComboBox(static_cast<QComboBox*>(object));
}

} // namespace

void nameComboBoxesByPurpose()
{
    static const bool installed = [] {
        QAccessible::installFactory(&comboBoxFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zorvek::ui
