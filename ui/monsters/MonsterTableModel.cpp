// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/MonsterTableModel.h"

#include "core/header/CopierHeader.h"
#include "core/monsters/MonsterEntryRules.h"
#include "core/monsters/MonsterRecord.h"
#include "core/table/TableCheck.h"
#include "core/table/TableError.h"
#include "data/GameData.h"
#include "ui/widgets/ThemeColours.h"

#include <QApplication>
#include <QBrush>
#include <QFont>

namespace zorvek::ui {

using namespace table;
namespace mt = table::monstertable;

namespace {

// Hues only: the palette in use decides how light or dark they are drawn.
const QColor kChangedTint(0xFF, 0xD0, 0x40);
const QColor kDiffersHue(0x0B, 0x4F, 0xA8);

std::vector<RecordCells> readRecords(const QByteArray& imageBytes)
{
    RomImage copy;
    copy.openCopy(imageBytes, RomImage::CopyAccess::ReadOnly);
    const QStringList& names = data::monsterNames();
    std::vector<RecordCells> records;
    records.reserve(monsters::kRecordCount);
    for (int i = 0; i < monsters::kRecordCount; ++i)
        records.push_back(mt::cells(copy, i, names.value(i)));
    return records;
}

// The attack index reads as the window's list entry; a byte beyond the
// list as the number the window's text box shows.
QString attackText(int value)
{
    const QStringList& entries = data::attackAnimationDescriptions();
    return value < entries.size() ? entries.at(value) : QString::number(value);
}

const ChoiceList& attackList()
{
    static const ChoiceList list{"attack animation list", &data::attackAnimationDescriptions,
                                 [](uint8_t byte) { return QString::number(byte); }};
    return list;
}

} // namespace

MonsterTableModel::MonsterTableModel(QObject* parent)
    : QAbstractTableModel(parent), m_table(mt::definition()), m_columns(static_cast<int>(m_table.columns.size()))
{
    m_base.resize(monsters::kRecordCount);
    for (int i = 0; i < monsters::kRecordCount; ++i) {
        m_base[i].values.assign(m_columns, 0);
        m_base[i].values[mt::Record] = i;
        m_base[i].label = data::monsterNames().value(i);
    }
    m_edits.resize(static_cast<size_t>(monsters::kRecordCount) * m_columns);
}

void MonsterTableModel::loadImage(const QByteArray& imageBytes)
{
    m_base = readRecords(imageBytes);
    for (int row = 0; row < monsters::kRecordCount; ++row)
        for (int column = 0; column < m_columns; ++column)
            if (auto& edit = m_edits[flat(row, column)]; edit && *edit == m_base[row].values[column])
                edit.reset();
    allCellsChanged();
}

void MonsterTableModel::setOriginal(const std::optional<QByteArray>& originalRomData)
{
    // The records' offsets count the copier header in.
    m_original = originalRomData ? readRecords(QByteArray(copier::kHeaderSize, '\0') + *originalRomData)
                                 : std::vector<RecordCells>{};
    allCellsChanged();
}

void MonsterTableModel::allCellsChanged()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, m_columns - 1));
    emit changesChanged();
}

int MonsterTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : monsters::kRecordCount;
}

int MonsterTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_columns; }

int MonsterTableModel::value(int row, int column) const
{
    const auto& edit = m_edits[flat(row, column)];
    return edit ? *edit : m_base[row].values[column];
}

int MonsterTableModel::originalValue(int row, int column) const
{
    return m_original.empty() ? value(row, column) : m_original[row].values[column];
}

bool MonsterTableModel::isChanged(int row, int column) const { return m_edits[flat(row, column)].has_value(); }

bool MonsterTableModel::differsFromOriginal(int row, int column) const
{
    return !m_original.empty() && column != mt::Record && column != mt::Name
        && value(row, column) != m_original[row].values[column];
}

bool MonsterTableModel::rowDiffersFromOriginal(int row) const
{
    for (int column = 0; column < m_columns; ++column)
        if (differsFromOriginal(row, column))
            return true;
    return false;
}

QString MonsterTableModel::rowName(int row) const
{
    return QStringLiteral("Monster %1 (%2)").arg(row).arg(m_base[row].label);
}

bool MonsterTableModel::isEditable(int column) const
{
    const CellKind kind = m_table.columns[column].kind;
    return kind == CellKind::Number || kind == CellKind::Flag;
}

QString MonsterTableModel::displayText(int row, int column) const
{
    const int v = value(row, column);
    if (column == mt::AttackIndex)
        return attackText(v);
    return cellText(m_table.columns[column], v, m_base[row].label);
}

QVariant MonsterTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int column = index.column();
    const TableColumn& c = m_table.columns[column];
    const bool flag = c.kind == CellKind::Flag;
    switch (role) {
    case Qt::DisplayRole:
        return flag ? QVariant() : QVariant(displayText(row, column));
    case Qt::EditRole:
        return value(row, column);
    case Qt::CheckStateRole:
        return flag ? QVariant(value(row, column) ? Qt::Checked : Qt::Unchecked) : QVariant();
    case SortRole:
        if (c.kind == CellKind::Label || column == mt::AttackIndex)
            return displayText(row, column);
        return value(row, column);
    case ExportTextRole:
        return cellText(c, value(row, column), m_base[row].label);
    case ChangedRole:
        return isChanged(row, column);
    case DiffersRole:
        return differsFromOriginal(row, column);
    case Qt::BackgroundRole:
        return isChanged(row, column) ? QVariant(QBrush(changedBackground())) : QVariant();
    case Qt::ForegroundRole:
        if (differsFromOriginal(row, column))
            return QBrush(
                theme::readableOn(kDiffersHue,
                                  isChanged(row, column) ? changedBackground() : palette().color(QPalette::Base)));
        return isChanged(row, column) ? QVariant(QBrush(changedText())) : QVariant();
    case Qt::FontRole:
        if (differsFromOriginal(row, column)) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ToolTipRole: {
        QStringList tips;
        if (column == mt::AttackIndex)
            tips << QStringLiteral("Attack index %1").arg(value(row, column));
        if (differsFromOriginal(row, column)) {
            const int was = m_original[row].values[column];
            tips << QStringLiteral("Original: %1")
                        .arg(flag                            ? QString::number(was)
                                 : column == mt::AttackIndex ? attackText(was)
                                                             : cellText(c, was, {}));
        }
        if (isChanged(row, column))
            tips << QStringLiteral("Not saved yet; the image holds %1")
                        .arg(column == mt::AttackIndex ? attackText(m_base[row].values[column])
                                                       : cellText(c, m_base[row].values[column], {}));
        return tips.isEmpty() ? QVariant() : QVariant(tips.join(u'\n'));
    }
    case Qt::TextAlignmentRole:
        if (c.kind == CellKind::Label || column == mt::AttackIndex)
            return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    default:
        return {};
    }
}

QVariant MonsterTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns)
        return QAbstractTableModel::headerData(section, orientation, role);
    const QString& name = m_table.columns[section].name;
    if (role == Qt::ToolTipRole || role == FullNameRole)
        return name;
    if (role != Qt::DisplayRole)
        return {};
    // Long names over two lines, broken at the space nearest the middle, so
    // a narrow column shows all of them.
    qsizetype best = name.indexOf(QStringLiteral(": "));
    if (best >= 0)
        return name.left(best + 1) + u'\n' + name.mid(best + 2);
    for (qsizetype at = name.indexOf(u' '); at >= 0; at = name.indexOf(u' ', at + 1))
        if (best < 0 || qAbs(at - name.size() / 2) < qAbs(best - name.size() / 2))
            best = at;
    if (name.size() < 12 || best < 0)
        return name;
    return name.left(best) + u'\n' + name.mid(best + 1);
}

Qt::ItemFlags MonsterTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (!index.isValid())
        return f;
    if (m_table.columns[index.column()].kind == CellKind::Flag)
        f |= Qt::ItemIsUserCheckable;
    else if (isEditable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool MonsterTableModel::setData(const QModelIndex& index, const QVariant& v, int role)
{
    if (!index.isValid())
        return false;
    int number = v.toInt();
    if (role == Qt::CheckStateRole)
        number = v.toInt() == Qt::Checked ? 1 : 0;
    else if (role != Qt::EditRole)
        return false;
    return !applyValues({{index.row(), index.column(), number}});
}

std::optional<QString> MonsterTableModel::refusal(int row, int column, int v) const
{
    const TableColumn& c = m_table.columns[column];
    const QString where = rowName(row) + QStringLiteral(", ") + c.name;
    if (!isEditable(column))
        return where + QStringLiteral(" is read-only.");
    const int now = m_base[row].values[column];
    const table::CellValue checked = checkCell(c, QString::number(v), now, m_base[row].label);
    if (!checked.value)
        return QStringLiteral("%1: expected %2, found %3.").arg(where, checked.expected, quoted(QString::number(v)));
    // The window's list ends before the byte does: a byte beyond it is kept, never chosen.
    if (column == mt::AttackIndex && v >= monsters::rules::kAttackAnimationCount && v != now)
        return QStringLiteral("%1: expected an entry of the attack animation list (0 to %2)%3, found %4.")
            .arg(where)
            .arg(monsters::rules::kAttackAnimationCount - 1)
            .arg(now >= monsters::rules::kAttackAnimationCount
                     ? QStringLiteral(" or %1, as the image holds it now").arg(now)
                     : QString())
            .arg(quoted(QString::number(v)));
    return std::nullopt;
}

std::optional<QString> MonsterTableModel::applyValues(const std::vector<CellEdit>& cells)
{
    for (const CellEdit& cell : cells) {
        if (cell.row < 0 || cell.row >= rowCount() || cell.column < 0 || cell.column >= m_columns)
            return QStringLiteral("No such cell.");
        if (auto refused = refusal(cell.row, cell.column, cell.value))
            return refused;
    }
    for (const CellEdit& cell : cells) {
        auto& edit = m_edits[flat(cell.row, cell.column)];
        if (cell.value == m_base[cell.row].values[cell.column])
            edit.reset();
        else
            edit = cell.value;
        const QModelIndex at = index(cell.row, cell.column);
        emit dataChanged(at, at);
        // The record's number carries the row's marks for "Changed only".
        emit dataChanged(index(cell.row, mt::Record), index(cell.row, mt::Record));
    }
    emit changesChanged();
    return std::nullopt;
}

std::optional<QString> MonsterTableModel::applyTexts(const std::vector<CellText>& cells)
{
    std::vector<CellEdit> values;
    values.reserve(cells.size());
    for (const CellText& cell : cells) {
        if (cell.row < 0 || cell.row >= rowCount() || cell.column < 0 || cell.column >= m_columns)
            return QStringLiteral("No such cell.");
        const TableColumn& c = m_table.columns[cell.column];
        const RecordCells& base = m_base[cell.row];
        table::CellValue checked = checkCell(c, cell.text, base.values[cell.column], base.label);
        // The attack index also takes an entry of the window's list by its text.
        if (!checked.value && cell.column == mt::AttackIndex) {
            const Choice choice = choose(attackList(), cell.text, base.values[cell.column]);
            if (choice.byte)
                checked.value = choice.byte;
            else
                checked.expected += QStringLiteral(", or ") + choice.expected;
        }
        if (!checked.value)
            return QStringLiteral("%1, %2: expected %3, found %4.")
                .arg(rowName(cell.row), c.name, checked.expected, quoted(cell.text));
        // Read-only cells pass when they hold what they hold; they are not set.
        if (isEditable(cell.column))
            values.push_back({cell.row, cell.column, *checked.value});
    }
    return applyValues(values);
}

MonsterTableModel::Saves MonsterTableModel::saves() const
{
    Saves out;
    for (int row = 0; row < rowCount(); ++row) {
        bool changed = false;
        std::vector<int> values(m_columns);
        for (int column = 0; column < m_columns; ++column) {
            changed = changed || isChanged(row, column);
            values[column] = value(row, column);
        }
        if (!changed)
            continue;
        // The monster window's own check, as its Save makes it.
        const monsters::CheckedEntries checked = monsters::checkEntries(mt::entries(values));
        if (!checked.values) {
            out.refusal = rowName(row) + QStringLiteral(": ") + monsters::refusalMessage(checked);
            out.records.clear();
            return out;
        }
        out.records.push_back({row, *checked.values});
    }
    return out;
}

int MonsterTableModel::changedRecordCount() const
{
    int count = 0;
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < m_columns; ++column)
            if (isChanged(row, column)) {
                ++count;
                break;
            }
    return count;
}

void MonsterTableModel::dropEdits()
{
    std::fill(m_edits.begin(), m_edits.end(), std::nullopt);
    allCellsChanged();
}

QPalette MonsterTableModel::palette() const { return m_paletteOf ? m_paletteOf->palette() : QApplication::palette(); }

QColor MonsterTableModel::changedBackground() const
{
    const QColor base = palette().color(QPalette::Base);
    // A light ground takes more of the tint than a dark one, where it would glare.
    return theme::blend(base, kChangedTint, base.lightnessF() > 0.5 ? 0.55 : 0.3);
}

QColor MonsterTableModel::changedText() const
{
    return theme::readableOn(palette().color(QPalette::Text), changedBackground());
}

} // namespace zorvek::ui
