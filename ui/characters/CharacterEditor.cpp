// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/characters/CharacterEditor.h"

#include "ui/widgets/ByteListBox.h"
#include "core/characters/CharacterSaveCheck.h"
#include "core/characters/CharacterSlot.h"
#include "data/Artwork.h"
#include "data/GameData.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "core/image/PendingStamp.h"
#include "ui/SideEffects.h"
#include "ui/WriteFailureMessage.h"
#include "core/image/ImageSession.h"
#include "ui/widgets/StatusTimer.h"
#include "ui/widgets/WheelGuard.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QStackedLayout>
#include <QTabBar>
#include <QVBoxLayout>

namespace zorvek::ui {

namespace {

constexpr double kSavedMessageSeconds = 10;
const QString kStatsKey = QStringLiteral("Stats");
const QString kEquipmentKey = QStringLiteral("Eq");

// Qt's scroll bar turns its left and right arrow keys round, so the right
// arrow would go to the previous slot. Only those two keys are corrected:
// Page Up/Down, Up/Down and the wheel already go the way a scroll bar goes.
class SlotScrollBar final : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (key != Qt::Key_Left && key != Qt::Key_Right) {
            QScrollBar::keyPressEvent(event);
            return;
        }
        // A right-to-left layout puts the first slot at the right end.
        const bool onward = (key == Qt::Key_Right) != isRightToLeft();
        triggerAction(onward ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
    }
};

} // namespace

CharacterEditor::CharacterEditor(ImageSession& session, SideEffects& effects, const QString& romName, QWidget* parent)
    : QWidget(parent), m_session(session), m_effects(effects)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_status = new StatusTimer(m_effects, this);

    createControls();
    createLayout();
    connectControls();

    setWindowTitle(QStringLiteral("Character Editor: ") + romName);
    loadSlot(0);
}

QLabel* CharacterEditor::label(const char* name, const QString& caption)
{
    auto* l = new QLabel(caption, this);
    l->setObjectName(QLatin1String(name));
    return l;
}

QLabel* CharacterEditor::buddyLabel(const char* name, const QString& caption, QWidget* buddy)
{
    QLabel* l = label(name, caption);
    l->setBuddy(buddy);
    return l;
}

LimitedLineEdit* CharacterEditor::numberBox(const char* name, int inputLimit, bool editable,
                                            std::optional<characters::rules::Cap> rule, const QString& designText)
{
    auto* box = new LimitedLineEdit(this);
    box->setObjectName(QLatin1String(name));
    box->setInputLimit(inputLimit);
    box->setCharacters(LimitedLineEdit::Characters::Numeric);
    box->setReadOnly(!editable);
    box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Room for a loaded value longer than what can be typed, such as "-32768".
    const int characters = qMax(inputLimit, 3) + 2;
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * characters + 14);
    box->setText(designText);
    if (!rule)
        return box;
    // Program-set text goes through the same rule as typing. The box's own
    // text: a reverted edit reports its refused text after the revert.
    connect(box, &QLineEdit::textChanged, box, [box, cap = *rule] {
        const auto corrected = characters::rules::correctedText(box->text(), cap);
        if (!corrected)
            return;
        box->setCorrectedText(*corrected);
    });
    return box;
}

void CharacterEditor::createControls()
{
    m_charIndexFrame = new QGroupBox(this);
    m_charIndexFrame->setObjectName(QStringLiteral("CharIndexFR"));
    m_nameLabel = label("NameLBL", tr("Character:"));
    m_charIndex = numberBox("CharIndexTXT", 1, false, std::nullopt);
    m_scroll = new SlotScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("Scroll"));
    m_scroll->setRange(0, characters::CharacterRecord::kSlotCount - 1);
    m_scroll->setSingleStep(1);
    m_scroll->setPageStep(1);
    m_scroll->setValue(0);
    m_scroll->setAccessibleName(tr("Character slot"));
    m_nameLabel->setBuddy(m_charIndex);
    // Reachable from the keyboard; a wheel passing over it must not change
    // the slot and drop the edits.
    WheelGuard::install(m_scroll);

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_tabs->setExpanding(false);
    m_tabs->setDrawBase(false);
    m_tabs->setTabData(m_tabs->addTab(tr("Character Stats")), kStatsKey);
    // A doubled ampersand shows as one ampersand rather than a mnemonic.
    m_tabs->setTabData(m_tabs->addTab(tr("Character Equipment && Battle Commands")), kEquipmentKey);
    m_tabs->setCurrentIndex(0);

    createStatsFrame();
    createEquipmentFrame();

    m_info = label("InfoLBL", QString());
    m_info->setMinimumWidth(
        m_info->fontMetrics().horizontalAdvance(QStringLiteral("The Stats of: Character 0 has been saved.")) + 8);
    m_save = new QPushButton(tr("&Save"), this);
    m_save->setObjectName(QStringLiteral("SaveCMD"));
    m_cancel = new QPushButton(tr("&Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("CancelCMD"));
}

void CharacterEditor::createStatsFrame()
{
    using characters::rules::Cap;
    m_statFrame = new QGroupBox(this);
    m_statFrame->setObjectName(QStringLiteral("StatFR"));

    m_level = numberBox("LevelTXT", 2, true, Cap::None);
    m_currentHp = numberBox("CHPTXT", 4, true, Cap::None);
    m_maximumHp = numberBox("MHPTXT", 4, true, Cap::None);
    m_currentMp = numberBox("CMPTXT", 3, true, Cap::None);
    m_maximumMp = numberBox("MMPTXT", 3, true, Cap::None);
    m_experience = numberBox("EXPTXT", 5, false, Cap::None);
    m_actor = numberBox("ActorTXT", 3, false, Cap::None);
    m_strength = numberBox("STRTXT", 3, true, Cap::Attribute);
    m_agility = numberBox("AGITXT", 3, true, Cap::Attribute);
    m_vitality = numberBox("VITTXT", 3, true, Cap::Attribute);
    m_magicPower = numberBox("MagicPowerTXT", 3, true, Cap::Attribute);
    // Two boxes share each label: the names tell current from maximum.
    m_currentHp->setAccessibleName(tr("Current Hit Points"));
    m_maximumHp->setAccessibleName(tr("Maximum Hit Points"));
    m_currentMp->setAccessibleName(tr("Current Magic Points"));
    m_maximumMp->setAccessibleName(tr("Maximum Magic Points"));

    auto* grid = new QGridLayout(m_statFrame);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    grid->addWidget(buddyLabel("LevelLBL", tr("Level:"), m_level), 0, 0);
    grid->addWidget(m_level, 0, 1);
    grid->addWidget(buddyLabel("HPLBL", tr("Hit Points:"), m_currentHp), 1, 0);
    grid->addWidget(m_currentHp, 1, 1);
    grid->addWidget(label("HPSlashLBL", QStringLiteral(" / ")), 1, 2);
    grid->addWidget(m_maximumHp, 1, 3);
    grid->addWidget(buddyLabel("MPLBL", tr("Magic Points:"), m_currentMp), 2, 0);
    grid->addWidget(m_currentMp, 2, 1);
    grid->addWidget(label("MPSlashLBL", QStringLiteral(" / ")), 2, 2);
    grid->addWidget(m_maximumMp, 2, 3);
    grid->addWidget(buddyLabel("EXPLBL", tr("Experience:   "), m_experience), 3, 0);
    grid->addWidget(m_experience, 3, 1);
    grid->addWidget(buddyLabel("ActorLBL", tr("Actor Bit:"), m_actor), 4, 0);
    grid->addWidget(m_actor, 4, 1);

    grid->setColumnMinimumWidth(4, 24);
    grid->setColumnStretch(4, 1);
    grid->addWidget(buddyLabel("STRLBL", tr("Strength:"), m_strength), 0, 5);
    grid->addWidget(m_strength, 0, 6);
    grid->addWidget(buddyLabel("AGILBL", tr("Agility:"), m_agility), 1, 5);
    grid->addWidget(m_agility, 1, 6);
    grid->addWidget(buddyLabel("DEFLBL", tr("Vitality"), m_vitality), 2, 5);
    grid->addWidget(m_vitality, 2, 6);
    grid->addWidget(buddyLabel("MagicPowerLBL", tr("Magic Power:"), m_magicPower), 3, 5);
    grid->addWidget(m_magicPower, 3, 6);
    grid->setRowStretch(5, 1);
}

void CharacterEditor::createEquipmentFrame()
{
    m_eqFrame = new QGroupBox(this);
    m_eqFrame->setObjectName(QStringLiteral("EqFR"));

    const QStringList& equipment = data::equipmentLabels();
    const auto equipmentBox = [&](const char* name) {
        auto* box = new ByteListBox(equipment, &characters::rules::unlistedEquipmentLabel, this);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    m_rightHand = equipmentBox("RHCBO");
    m_leftHand = equipmentBox("LHCBO");
    m_head = equipmentBox("HeadCBO");
    m_body = equipmentBox("BodyCBO");
    m_arms = equipmentBox("ArmsCBO");
    // Only an icon stands beside them.
    m_rightHand->setAccessibleName(tr("Right hand"));
    m_leftHand->setAccessibleName(tr("Left hand"));
    m_head->setAccessibleName(tr("Head"));
    m_body->setAccessibleName(tr("Body"));
    m_arms->setAccessibleName(tr("Arms"));
    for (int i = 0; i < characters::CharacterRecord::kCommandCount; ++i) {
        m_commands[i] = new ByteListBox(data::battleCommandLabels(), &characters::rules::unlistedCommandLabel, this);
        m_commands[i]->setObjectName(QStringLiteral("BattleCommand%1CBO").arg(i + 1));
    }
    m_equipBit = numberBox("EquipBitTXT", 3, false, characters::rules::Cap::None, QString());

    auto* grid = new QGridLayout(m_eqFrame);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    // Icons in the order of the equipment artwork: right hand, left hand, head, body, arms.
    const std::array<ByteListBox*, 5> equipmentBoxes = {m_rightHand, m_leftHand, m_head, m_body, m_arms};
    for (int row = 0; row < static_cast<int>(equipmentBoxes.size()); ++row) {
        auto* icon = label(qPrintable(QStringLiteral("Image%1").arg(row + 1)), QString());
        icon->setPixmap(QPixmap::fromImage(data::equipmentIcon(row)));
        icon->setFixedSize(16, 16);
        grid->addWidget(icon, row, 0);
        grid->addWidget(equipmentBoxes[row], row, 1);
    }
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(2, 1);
    for (int i = 0; i < characters::CharacterRecord::kCommandCount; ++i) {
        grid->addWidget(buddyLabel(qPrintable(QStringLiteral("Command%1LBL").arg(i + 1)), tr("Command %1:").arg(i + 1),
                                   m_commands[i]),
                        i, 3);
        grid->addWidget(m_commands[i], i, 4);
    }
    grid->addWidget(buddyLabel("EquipBitLBL", tr("Equip Bit:"), m_equipBit), 4, 3);
    grid->addWidget(m_equipBit, 4, 4, Qt::AlignLeft);
}

void CharacterEditor::createLayout()
{
    auto* indexRow = new QHBoxLayout;
    indexRow->addWidget(m_nameLabel);
    indexRow->addWidget(m_charIndex);
    indexRow->addStretch(1);
    auto* indexLayout = new QVBoxLayout(m_charIndexFrame);
    indexLayout->addLayout(indexRow);
    indexLayout->addWidget(m_scroll);
    m_charIndexFrame->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    m_charIndexFrame->setMinimumWidth(220);

    // Both frames take the same place; the stack shows one and hides the other.
    m_frames = new QStackedLayout;
    m_frames->addWidget(m_statFrame);
    m_frames->addWidget(m_eqFrame);
    m_frames->setCurrentWidget(m_statFrame);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_info, 1);
    bottom->addWidget(m_save);
    bottom->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_charIndexFrame);
    layout->addSpacing(4);
    layout->addWidget(m_tabs);
    layout->setSpacing(6);
    layout->addLayout(m_frames);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void CharacterEditor::connectControls()
{
    connect(m_scroll, &QScrollBar::valueChanged, this, &CharacterEditor::Scroll_Change);
    connect(m_tabs, &QTabBar::currentChanged, this, &CharacterEditor::TabStrip1_Click);
    connect(m_save, &QPushButton::clicked, this, &CharacterEditor::SaveCMD_Click);
    connect(m_cancel, &QPushButton::clicked, this, &CharacterEditor::CancelCMD_Click);
    connect(&m_session.writes(), &ImageWriteSession::replayed, this, [this](const UndoStep& step) {
        // An undo or redo changed the shown slot under the controls.
        const int slot = m_scroll->value();
        if (characters::CharacterRecord::isSlot(slot)
            && step.touches(characters::CharacterRecord::start(slot), characters::CharacterRecord::kSlotStride))
            loadSlot(slot);
    });
}

void CharacterEditor::loadSlot(int slot)
{
    const characters::CharacterView view = [&] {
        // One record, never half of another program's step.
        const ImageLockHold oneState(m_session.rom(), LockMode::Shared);
        return characters::loadCharacter(m_session.rom(), slot);
    }();
    m_loadFailure = m_session.rom().takeReadFailure();
    m_actor->setText(view.actor);
    m_level->setText(view.level);
    m_experience->setText(view.experience);
    m_strength->setText(view.strength);
    m_agility->setText(view.agility);
    m_vitality->setText(view.vitality);
    m_magicPower->setText(view.magicPower);
    m_equipBit->setText(view.equipBit);
    m_currentHp->setText(view.currentHp);
    m_maximumHp->setText(view.maximumHp);
    m_currentMp->setText(view.currentMp);
    m_maximumMp->setText(view.maximumMp);
    m_rightHand->selectByte(view.rightHand);
    m_leftHand->selectByte(view.leftHand);
    m_head->selectByte(view.head);
    m_body->selectByte(view.body);
    m_arms->selectByte(view.arms);
    for (int i = 0; i < characters::CharacterRecord::kCommandCount; ++i)
        m_commands[i]->selectByte(view.commands[i]);
    if (!m_loadFailure.ok())
        reportReadFailure(m_effects, this, m_session.rom().path(), m_loadFailure, unreadConsequence(slot));
}

QString CharacterEditor::unreadConsequence(int slot)
{
    return QStringLiteral(
               "The values shown for Character %1 are not the file's: Save writes nothing until the "
               "slot is read again (move to another slot, then back).")
        .arg(slot);
}

void CharacterEditor::Scroll_Change(int value)
{
    // Unsaved edits of the slot shown so far are dropped without a question.
    if (!characters::CharacterRecord::isSlot(value))
        return;
    loadSlot(value);
    m_charIndex->setText(QString::number(value));
}

void CharacterEditor::TabStrip1_Click(int index)
{
    const QString key = m_tabs->tabData(index).toString();
    if (key == kStatsKey)
        m_frames->setCurrentWidget(m_statFrame);
    else if (key == kEquipmentKey)
        m_frames->setCurrentWidget(m_eqFrame);
}

characters::CharacterEdits CharacterEditor::currentEdits() const
{
    characters::CharacterEdits e;
    e.level = m_level->text();
    e.currentHp = m_currentHp->text();
    e.maximumHp = m_maximumHp->text();
    e.currentMp = m_currentMp->text();
    e.maximumMp = m_maximumMp->text();
    e.strength = m_strength->text();
    e.agility = m_agility->text();
    e.vitality = m_vitality->text();
    e.magicPower = m_magicPower->text();
    e.rightHand = m_rightHand->selectedByte();
    e.leftHand = m_leftHand->selectedByte();
    e.head = m_head->selectedByte();
    e.body = m_body->selectedByte();
    e.arms = m_arms->selectedByte();
    for (int i = 0; i < characters::CharacterRecord::kCommandCount; ++i)
        e.commands[i] = m_commands[i]->selectedByte();
    return e;
}

void CharacterEditor::SaveCMD_Click()
{
    if (!m_loadFailure.ok()) {
        clearStatus();
        reportReadFailure(m_effects, this, m_session.rom().path(), m_loadFailure, unreadConsequence(m_scroll->value()));
        return;
    }
    const characters::CheckedCharacter checked = characters::checkCharacter(currentEdits());
    if (!checked.values) {
        // The edits stay for the user to correct.
        clearStatus();
        m_effects.showMessage(this, MessageIcon::Exclamation, checked.problem);
        return;
    }
    const int slot = m_scroll->value();
    CommandOutcome written = CommandOutcome::of(m_session.writes().check(characters::CharacterRecord::start(slot),
                                                                         characters::CharacterRecord::kMagicPower + 1));
    if (written.ok())
        written =
            m_session.writes().run(QStringLiteral("Save of Character ") + m_charIndex->text(), CommandKind::Save,
                                   [&] { return characters::saveCharacter(m_session.rom(), slot, *checked.values); });
    if (!written.ok()) {
        // An earlier "has been saved" must not stand beside a failed save.
        clearStatus();
        reportFailure(m_effects, this, m_session.rom().path(), written);
        return;
    }
    showStatus(QStringLiteral("The Stats of: Character ") + m_charIndex->text() + QStringLiteral(" has been saved."));
    SaveQuenHeader();
}

void CharacterEditor::SaveQuenHeader()
{
    // Due when the confirmation ends. The main window owns it, so it is
    // written even if this window closes first.
    m_session.pendingStamp().schedule(kSavedMessageSeconds);
}

void CharacterEditor::showStatus(const QString& text)
{
    m_info->clear();
    m_info->setText(text);
    m_status->start(kSavedMessageSeconds, [this] { m_info->clear(); });
}

void CharacterEditor::clearStatus()
{
    m_status->stop();
    m_info->clear();
}

void CharacterEditor::CancelCMD_Click() { close(); }

void CharacterEditor::closeEvent(QCloseEvent* event)
{
    // The close box behaves like Cancel: nothing is written.
    emit closed();
    event->accept();
}

} // namespace zorvek::ui
