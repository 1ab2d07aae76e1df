// SPDX-License-Identifier: GPL-3.0-or-later
// The monster editor's controls and their layout.
#include "ui/monsters/MonsterEditor.h"

#include "core/monsters/MonsterEntryRules.h"
#include "data/Artwork.h"
#include "data/GameData.h"
#include "ui/monsters/AttackAnimationImages.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "ui/widgets/WheelGuard.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

namespace zorvek::ui {

using namespace monsters;

void MonsterEditor::createNumberBoxes()
{
    const std::pair<const char*, LimitedLineEdit**> members[] = {
        {"LevelTXT", &m_level},
        {"HPTXT", &m_hp},
        {"EXPTXT", &m_exp},
        {"GilTXT", &m_gil},
        {"STRTXT", &m_str},
        {"AGITXT", &m_agi},
        {"DEFTXT", &m_def},
        {"EvadeTXT", &m_evade},
        {"MagicPowerTXT", &m_magicPower},
        {"NameIndexTXT", &m_nameIndex},
        {"UnknownTXT", &m_unknown},
        {"MPTXT", &m_mp},
        {"AttackIndexTXT", &m_attackText},
    };
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12;
    for (const rules::EntryRule& rule : rules::kEntryRules) {
        auto* box = new LimitedLineEdit(m_statsFrame);
        box->setObjectName(QString::fromLatin1(rule.box));
        box->setCharacters(LimitedLineEdit::Characters::Numeric);
        box->setInputLimit(rule.inputLimit);
        box->setText(QStringLiteral("0"));
        box->setFixedWidth(width);
        for (const auto& [name, member] : members)
            if (qstrcmp(name, rule.box) == 0)
                *member = box;
        if (rule.maximum) {
            const int maximum = *rule.maximum;
            m_changeRules.insert(box, [box, maximum] {
                const QString text = box->text();
                const QString fixed = rules::corrected(text, maximum);
                if (fixed == text)
                    return;
                box->setCorrectedText(fixed); // runs the rule again, which then finds nothing to fix
            });
        }
    }
    m_changeRules.insert(m_attackText, [this] { AttackIndexTXT_Change(); });

    for (LimitedLineEdit* box : {m_nameIndex, m_unknown, m_mp, m_attackText})
        box->setReadOnly(true);
    m_mp->setEnabled(false);

    const std::pair<const char*, const char*> labels[] = {
        {"NameIndexLBL", "Name Index:"},
        {"LevelLBL", "Level:"},
        {"HPLBL", "Hit Points:"},
        {"MPLBL", "Magic Points:"},
        {"EXPLBL", "Experience:   "},
        {"GilLBL", "Gil:"},
        {"STRLBL", "Strength:"},
        {"AGILBL", "Agility:"},
        {"DEFLBL", "Defense:"},
        {"EvadeLBL", "Evade %:"},
        {"MagicPowerLBL", "Magic Power:"},
        {"UnknownLBL", "Unknown:"},
        {"Label8", "Attack Index:"},
        {"Label12", "Graphic Animation:"},
    };
    for (const auto& [name, text] : labels) {
        auto* label = new QLabel(QString::fromLatin1(text), m_statsFrame);
        label->setObjectName(QString::fromLatin1(name));
        m_labels.insert(label->objectName(), label);
    }
}

void MonsterEditor::createAttackControls()
{
    m_attackCombo = new QComboBox(m_statsFrame);
    WheelGuard::install(m_attackCombo);
    m_attackCombo->setObjectName(QStringLiteral("AttackIndexCBO"));
    m_attackCombo->setEditable(false);
    m_attackCombo->addItems(data::attackAnimationDescriptions());
    m_attackCombo->setMaxVisibleItems(20);
    m_attackCombo->setAccessibleName(tr("Attack animation"));

    m_attackPicture = new QLabel(m_statsFrame);
    m_attackPicture->setObjectName(QStringLiteral("AttackIndexGFX"));
    m_attackPicture->setFrameShape(QFrame::StyledPanel);
    m_attackPicture->setFrameShadow(QFrame::Sunken);
    m_attackPicture->setAlignment(Qt::AlignCenter);
    m_attackPicture->setFixedSize(64 + 2 * m_attackPicture->frameWidth(), 64 + 2 * m_attackPicture->frameWidth());

    m_picture1 = new QLabel(this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    const QPixmap placeholder = QPixmap::fromImage(data::monsterPlaceholderPicture());
    m_picture1->setPixmap(placeholder);
    m_picture1->setFixedSize(placeholder.isNull() ? QSize(153, 119) : placeholder.size());
}

void MonsterEditor::createCommandControls()
{
    m_dump = new QPushButton(this);
    m_dump->setObjectName(QStringLiteral("Dump2TXT"));
    m_dump->setIcon(QPixmap::fromImage(data::dumpButtonPicture()));
    m_dump->setIconSize(QSize(32, 32));
    m_dump->setAccessibleName(tr("Dump stats to a text file"));

    m_lock = new QPushButton(this);
    m_lock->setObjectName(QStringLiteral("LockControlsCMD"));
    m_lock->setIcon(QPixmap::fromImage(data::lockButtonPicture()));
    m_lock->setIconSize(QSize(32, 32));
    m_lock->setAccessibleName(tr("Lock or unlock the controls"));

    m_lockLabel = new QLabel(lockCaption(false), this);
    m_lockLabel->setObjectName(QStringLiteral("LockLBL"));
    QFont bold = m_lockLabel->font();
    bold.setBold(true);
    m_lockLabel->setFont(bold);

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("InfoLBL"));
    // Long texts (a dump path) must not stretch the window.
    m_info->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_info->setFrameShape(QFrame::StyledPanel);
    m_info->setFrameShadow(QFrame::Sunken);
    m_info->setMinimumHeight(fontMetrics().height() + 8);

    m_save = new QPushButton(QStringLiteral("&Save"), this);
    m_save->setObjectName(QStringLiteral("SaveCMD"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelCMD"));
}

// ---------------------------------------------------------------------------
// Layout

QWidget* MonsterEditor::createStatsFrame()
{
    auto* numbers = new QGridLayout;
    numbers->setHorizontalSpacing(8);
    const std::pair<const char*, QWidget*> left[] = {{"NameIndexLBL", m_nameIndex},
                                                     {"LevelLBL", m_level},
                                                     {"HPLBL", m_hp},
                                                     {"MPLBL", m_mp},
                                                     {"EXPLBL", m_exp},
                                                     {"GilLBL", m_gil}};
    const std::pair<const char*, QWidget*> right[] = {{"STRLBL", m_str},
                                                      {"AGILBL", m_agi},
                                                      {"DEFLBL", m_def},
                                                      {"EvadeLBL", m_evade},
                                                      {"MagicPowerLBL", m_magicPower},
                                                      {"UnknownLBL", m_unknown}};
    for (int row = 0; row < 6; ++row) {
        m_labels.value(QString::fromLatin1(left[row].first))->setBuddy(left[row].second);
        m_labels.value(QString::fromLatin1(right[row].first))->setBuddy(right[row].second);
        numbers->addWidget(m_labels.value(QString::fromLatin1(left[row].first)), row, 0);
        numbers->addWidget(left[row].second, row, 1);
        numbers->addWidget(m_labels.value(QString::fromLatin1(right[row].first)), row, 3);
        numbers->addWidget(right[row].second, row, 4);
    }
    numbers->setColumnMinimumWidth(2, 24);
    numbers->setColumnStretch(5, 1);

    auto* attack = new QGridLayout;
    m_labels.value(QStringLiteral("Label8"))->setBuddy(m_attackText);
    attack->addWidget(m_labels.value(QStringLiteral("Label8")), 0, 0);
    attack->addWidget(m_attackText, 0, 1);
    attack->addWidget(m_attackCombo, 0, 2, 1, 2);
    attack->addWidget(m_labels.value(QStringLiteral("Label12")), 1, 0, Qt::AlignTop);
    attack->addWidget(m_attackPicture, 1, 1, 1, 2, Qt::AlignLeft | Qt::AlignTop);
    attack->addWidget(m_picture1, 1, 3, Qt::AlignRight | Qt::AlignBottom);
    attack->setColumnStretch(2, 1);

    auto* rule = new QFrame(m_statsFrame);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* frameLayout = new QVBoxLayout(m_statsFrame);
    frameLayout->addLayout(numbers);
    frameLayout->addWidget(rule);
    frameLayout->addLayout(attack);
    frameLayout->addStretch(1);
    auto* bitsRule = new QFrame(m_statsFrame);
    bitsRule->setFrameShape(QFrame::HLine);
    bitsRule->setFrameShadow(QFrame::Sunken);
    frameLayout->addWidget(bitsRule);

    auto* bits = new QHBoxLayout;
    bits->addWidget(m_hideHp);
    bits->addSpacing(8);
    bits->addWidget(m_unknown1);
    bits->addWidget(m_unknown2);
    bits->addStretch(1);
    bits->addWidget(m_spBit);
    frameLayout->addLayout(bits);
    return m_statsFrame;
}

QWidget* MonsterEditor::createFlagColumn()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QListWidget*> lists[] = {{"Label9", m_weak},
                                                          {"Label10", m_statusConditions},
                                                          {"Label11", m_spAttrib}};
    int width = 0;
    for (const auto& [caption, list] : lists) {
        // Lists take no name from a label; Alt+letter reaches them through it all the same.
        m_labels.value(QString::fromLatin1(caption))->setBuddy(list);
        list->setAccessibleName(m_labels.value(QString::fromLatin1(caption))->text().chopped(1));
        layout->addWidget(m_labels.value(QString::fromLatin1(caption)));
        layout->addWidget(list);
        layout->addSpacing(4);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        width = qMax(width,
                     list->sizeHintForColumn(0) + list->verticalScrollBar()->sizeHint().width() + 2 * list->frameWidth()
                         + 8);
    }
    for (const auto& entry : lists)
        entry.second->setFixedWidth(width);
    layout->addStretch(1);
    return column;
}

void MonsterEditor::createLayout()
{
    auto* listColumn = new QVBoxLayout;
    listColumn->addWidget(m_monsterList, 1);
    auto* baseRow = new QHBoxLayout;
    auto* baseCaption = new QLabel(tr("Record base:"), this);
    baseCaption->setObjectName(QStringLiteral("MonsterListIndexCaptionLBL"));
    baseRow->addWidget(baseCaption);
    baseRow->addWidget(m_recordBase, 1);
    listColumn->addLayout(baseRow);
    m_monsterList->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMMMMMMMM")));

    auto* middle = new QVBoxLayout;
    middle->setSpacing(0);
    middle->addWidget(m_tabs);
    middle->addWidget(createStatsFrame(), 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(listColumn, 0);
    columns->addLayout(middle, 1);
    columns->addWidget(createFlagColumn(), 0);

    auto* commands = new QHBoxLayout;
    commands->addWidget(m_dump);
    commands->addWidget(m_lock);
    commands->addWidget(m_lockLabel);
    commands->addStretch(1);
    commands->addWidget(m_save);
    commands->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addLayout(commands);
    layout->addWidget(m_info);

    // Tab walks the grid column by column, as the eye reads it.
    const QList<QWidget*> order = {
        m_monsterList, m_tabs,        m_nameIndex, m_level,    m_hp,       m_mp,         m_exp,
        m_gil,         m_str,         m_agi,       m_def,      m_evade,    m_magicPower, m_unknown,
        m_attackText,  m_attackCombo, m_hideHp,    m_unknown1, m_unknown2, m_weak,       m_statusConditions,
        m_spAttrib,    m_dump,        m_lock,      m_save,     m_cancel};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace zorvek::ui
