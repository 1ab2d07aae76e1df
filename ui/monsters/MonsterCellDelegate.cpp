// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/MonsterCellDelegate.h"

#include "core/monsters/MonsterEntryRules.h"
#include "core/table/MonsterTable.h"
#include "core/text/NumberText.h"
#include "data/GameData.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "ui/widgets/WheelGuard.h"

#include <QComboBox>
#include <QPainter>

namespace zorvek::ui {

namespace mt = table::monstertable;
namespace rules = monsters::rules;

namespace {

// The window's text box behind each digit column; the special bit byte has
// none there (it is a label) and takes three digits.
struct DigitField {
    int column;
    const char* box;
};

constexpr DigitField kDigitFields[] = {
    {mt::Level, "LevelTXT"},           {mt::HitPoints, "HPTXT"},   {mt::Experience, "EXPTXT"}, {mt::Gil, "GilTXT"},
    {mt::Strength, "STRTXT"},          {mt::Agility, "AGITXT"},    {mt::Defense, "DEFTXT"},    {mt::Evade, "EvadeTXT"},
    {mt::MagicPower, "MagicPowerTXT"}, {mt::SpecialBits, nullptr},
};

struct DigitRule {
    int inputLimit;
    int maximum;
};

std::optional<DigitRule> digitRule(int column)
{
    for (const DigitField& field : kDigitFields) {
        if (field.column != column)
            continue;
        if (!field.box)
            return DigitRule{3, rules::kByteMaximum};
        for (const rules::EntryRule& rule : rules::kEntryRules)
            if (qstrcmp(rule.box, field.box) == 0)
                return DigitRule{rule.inputLimit, *rule.maximum};
    }
    return std::nullopt;
}

} // namespace

void MonsterCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyledItemDelegate::paint(painter, option, index);
    if (!index.data(MonsterTableModel::DiffersRole).toBool())
        return;
    // A corner mark in the compare colour: a check box shows no font.
    const int size = qMax(5, option.rect.height() / 3);
    const QPoint corner = option.rect.topLeft();
    const QPoint triangle[] = {corner, corner + QPoint(size, 0), corner + QPoint(0, size)};
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(index.data(Qt::ForegroundRole).value<QBrush>());
    painter->drawPolygon(triangle, 3);
    painter->restore();
}

QWidget* MonsterCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const
{
    if (index.column() == mt::AttackIndex) {
        auto* combo = new QComboBox(parent);
        combo->setObjectName(QStringLiteral("AttackIndexCBO"));
        WheelGuard::install(combo);
        combo->setMaxVisibleItems(20);
        combo->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal, Qt::ToolTipRole).toString());
        return combo;
    }
    if (const auto rule = digitRule(index.column())) {
        auto* box = new LimitedLineEdit(parent);
        box->setObjectName(QStringLiteral("CellTXT"));
        box->setCharacters(LimitedLineEdit::Characters::Numeric);
        box->setInputLimit(rule->inputLimit);
        box->setFrame(false);
        // Named for screen readers after its column, as the header's full text.
        box->setAccessibleName(index.model()->headerData(index.column(), Qt::Horizontal, Qt::ToolTipRole).toString());
        return box;
    }
    return QStyledItemDelegate::createEditor(parent, option, index);
}

void MonsterCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const int value = index.data(Qt::EditRole).toInt();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->clear();
        // A byte beyond the list stays what it is until another entry is picked.
        if (value >= rules::kAttackAnimationCount)
            combo->addItem(QString::number(value), value);
        const QStringList& entries = data::attackAnimationDescriptions();
        for (int i = 0; i < entries.size(); ++i)
            combo->addItem(entries.at(i), i);
        combo->setCurrentIndex(combo->findData(value));
        return;
    }
    if (auto* box = qobject_cast<QLineEdit*>(editor)) {
        box->setText(QString::number(value));
        box->selectAll();
        return;
    }
    QStyledItemDelegate::setEditorData(editor, index);
}

void MonsterCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        // Also the value the cell holds: the other selected cells take it too.
        if (combo->currentIndex() >= 0)
            model->setData(index, combo->currentData(), Qt::EditRole);
        return;
    }
    if (auto* box = qobject_cast<QLineEdit*>(editor)) {
        const auto rule = digitRule(index.column());
        // The window's change rule first ("" is 0, above the cap is the cap),
        // then what its Save makes of the text (12.5 is 12).
        const QString text = rules::corrected(box->text(), rule->maximum);
        const auto value = numbertext::toFieldValue(text, {0, rule->maximum});
        if (!value) {
            const QString where = model->headerData(index.column(), Qt::Horizontal, Qt::ToolTipRole).toString();
            emit refused(QStringLiteral("Monster %1 (%2), %3: \"%4\" is not a number; it takes a whole number "
                                        "from 0 to %5.\nNothing was changed.")
                             .arg(model->index(index.row(), mt::Record).data(Qt::EditRole).toInt())
                             .arg(model->index(index.row(), mt::Name).data().toString(), where, box->text())
                             .arg(rule->maximum));
            return;
        }
        model->setData(index, static_cast<int>(*value), Qt::EditRole);
        return;
    }
    QStyledItemDelegate::setModelData(editor, model, index);
}

} // namespace zorvek::ui
