// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/MonsterEditor.h"

#include "data/Artwork.h"
#include "data/GameData.h"
#include "core/header/EditorStamp.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "core/text/NumberText.h"
#include "ui/SideEffects.h"
#include "ui/WriteFailureMessage.h"
#include "core/image/ImageSession.h"
#include "ui/widgets/StatusTimer.h"
#include "ui/widgets/WheelGuard.h"
#include "ui/monsters/AttackAnimationImages.h"
#include "core/monsters/FlagBits.h"
#include "ui/widgets/FlagListWidget.h"
#include "core/monsters/MonsterDump.h"
#include "core/monsters/MonsterEntryRules.h"
#include "core/monsters/MonsterFields.h"
#include "core/monsters/MonsterFlagLists.h"
#include "core/monsters/MonsterRecord.h"
#include "core/monsters/MonsterSave.h"
#include "core/monsters/SpecialBits.h"
#include "core/program/InstallPaths.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvek::ui {

using namespace monsters;

namespace {

constexpr double kHelpSeconds = 10;
constexpr double kSavedSeconds = 10;
constexpr double kDumpedSeconds = 15;

const QString kCredit =
    QStringLiteral("Monster names come from this editor's own name table, listed in the game's record order.");

void loadFlagByte(QListWidget* list, int first, uint8_t flags)
{
    const flagbits::Entries entries = flagbits::toEntries(flags);
    for (int i = 0; i < 8; ++i)
        if (QListWidgetItem* item = list->item(first + i))
            item->setSelected(entries[static_cast<size_t>(i)]);
}

uint8_t saveFlagByte(const QListWidget* list, int first)
{
    flagbits::Entries entries{};
    for (int i = 0; i < 8; ++i)
        if (const QListWidgetItem* item = list->item(first + i))
            entries[static_cast<size_t>(i)] = item->isSelected();
    return flagbits::toByte(entries);
}

// Moves the current entry without touching which entries are on.
void makeFirstEntryCurrent(QListWidget* list)
{
    if (list->count() > 0)
        list->selectionModel()->setCurrentIndex(list->model()->index(0, 0), QItemSelectionModel::NoUpdate);
}

// The text a field's control shows: a box's, or the special bits' label's.
QString shownText(const QWidget* control)
{
    if (const auto* box = qobject_cast<const QLineEdit*>(control))
        return box->text();
    const auto* label = qobject_cast<const QLabel*>(control);
    return label ? label->text() : QString();
}

QListWidget* flagList(const QString& name, const QStringList& entries, int visibleRows, QWidget* parent)
{
    auto* list = new FlagListWidget(parent);
    list->setObjectName(name);
    list->addItems(entries);
    list->setFixedHeight(list->sizeHintForRow(0) * visibleRows + 2 * list->frameWidth());
    return list;
}

} // namespace

MonsterEditor::MonsterEditor(ImageSession& session, SideEffects& effects, const QString& romName, QWidget* parent)
    : QWidget(parent), m_session(session), m_effects(effects)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Monster Editor"));
    setWindowIcon(QPixmap::fromImage(data::applicationIcon()));
    m_status = new StatusTimer(m_effects, this);
    m_pictures = new AttackAnimationImages(this);
    m_pictures->setObjectName(QStringLiteral("AttackAniIMGLST"));

    createControls();
    for (const fields::Field& field : fields::all())
        m_fieldControls[static_cast<size_t>(fields::indexOf(field))] =
            findChild<QWidget*>(QString::fromLatin1(field.control));
    createLayout();
    connectControls();
    installStatusHelp();
    Form_Load(romName);
}

// ---------------------------------------------------------------------------
// Controls

void MonsterEditor::createControls()
{
    m_monsterList = new QListWidget(this);
    m_monsterList->setObjectName(QStringLiteral("MonsterList"));
    m_monsterList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_monsterList->setAccessibleName(tr("Monsters"));

    m_recordBase = new QLabel(this);
    m_recordBase->setObjectName(QStringLiteral("MonsterListIndexLBL"));
    m_recordBase->setToolTip(tr("Record base of the shown monster"));

    m_tabs = new QTabBar(this);
    m_tabs->setObjectName(QStringLiteral("TabStrip1"));
    m_tabs->setTabData(m_tabs->addTab(QStringLiteral("Monster Statistics")), QStringLiteral("Stat"));
    m_tabs->setTabData(m_tabs->addTab(QStringLiteral("Monster Items")), QStringLiteral("Item"));
    m_tabs->setDrawBase(false);

    m_statsFrame = new QGroupBox(this);
    m_statsFrame->setObjectName(QStringLiteral("StatsFR"));

    createNumberBoxes();
    createFlagControls();
    createAttackControls();
    createCommandControls();
}

void MonsterEditor::createFlagControls()
{
    const std::pair<const char*, const char*> captions[] = {{"Label9", "Elemental Data:"},
                                                            {"Label10", "Status Data:"},
                                                            {"Label11", "Special/Battle Attributes:"}};
    for (const auto& [name, text] : captions) {
        auto* label = new QLabel(QString::fromLatin1(text), this);
        label->setObjectName(QString::fromLatin1(name));
        m_labels.insert(label->objectName(), label);
    }
    m_weak = flagList(QStringLiteral("WeakLST"), flaglists::elementalEntries(), 12, this);
    m_statusConditions = flagList(QStringLiteral("StatusConditionsLST"), flaglists::statusEntries(), 8, this);
    m_spAttrib = flagList(QStringLiteral("SpAttribLST"), flaglists::specialAttributeEntries(), 8, this);

    m_hideHp = new QCheckBox(QStringLiteral("Hide HP from Scan \"???\?/????\""), this);
    m_hideHp->setObjectName(QStringLiteral("HideHPCHK"));
    m_unknown1 = new QCheckBox(QStringLiteral("Unknown 1"), this);
    m_unknown1->setObjectName(QStringLiteral("Unknown1CHK"));
    m_unknown2 = new QCheckBox(QStringLiteral("Unknown 2"), this);
    m_unknown2->setObjectName(QStringLiteral("Unknown2CHK"));
    m_spBit = new QLabel(QStringLiteral("0"), this);
    m_spBit->setObjectName(QStringLiteral("SpBitLBL"));
    m_spBit->setToolTip(tr("The whole special bit byte, as Save writes it"));
    m_spBit->setFrameShape(QFrame::StyledPanel);
    m_spBit->setFrameShadow(QFrame::Sunken);
    m_spBit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_spBit->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 8);
}

QString MonsterEditor::lockCaption(bool locked)
{
    return locked ? QStringLiteral("Monster Editor - Controls Locked") : QStringLiteral("Monster Editor");
}

// ---------------------------------------------------------------------------
// Wiring

void MonsterEditor::connectControls()
{
    for (auto it = m_changeRules.cbegin(); it != m_changeRules.cend(); ++it) {
        auto* box = static_cast<QLineEdit*>(it.key());
        connect(box, &QLineEdit::textChanged, this, [this, box] { m_changeRules.value(box)(); });
    }
    connect(m_monsterList, &QListWidget::currentRowChanged, this, &MonsterEditor::LoadMStats);
    // Ctrl+click or a click below the last name would leave the shown
    // monster unmarked while Save still writes it.
    connect(m_monsterList, &QListWidget::itemSelectionChanged, this, [this] {
        if (QListWidgetItem* shown = m_monsterList->currentItem(); shown && !shown->isSelected())
            shown->setSelected(true);
    });
    connect(m_attackCombo, &QComboBox::currentIndexChanged, this, &MonsterEditor::LoadAttackAni);
    // Picking the entry already shown must also take, or a number beyond the
    // list (which leaves the entry as it was) would be saved instead.
    connect(m_attackCombo, &QComboBox::activated, this, &MonsterEditor::LoadAttackAni);
    connect(m_hideHp, &QCheckBox::toggled, this, [this](bool on) { specialBitToggled(specialbits::kHideHp, on); });
    connect(m_unknown1, &QCheckBox::toggled, this, [this](bool on) { specialBitToggled(specialbits::kUnknown1, on); });
    connect(m_unknown2, &QCheckBox::toggled, this, [this](bool on) { specialBitToggled(specialbits::kUnknown2, on); });
    connect(m_save, &QPushButton::clicked, this, &MonsterEditor::SaveCMD_Click);
    connect(&m_session.writes(), &ImageWriteSession::replayed, this, &MonsterEditor::reloadIfTouched);
    connect(m_cancel, &QPushButton::clicked, this, &MonsterEditor::CancelCMD_Click);
    connect(m_lock, &QPushButton::clicked, this, &MonsterEditor::LockControlsCMD_Click);
    connect(m_dump, &QPushButton::clicked, this, &MonsterEditor::Dump2TXT_Click);
}

void MonsterEditor::installStatusHelp()
{
    m_helpTexts = {
        {m_attackPicture,
         QStringLiteral("This displays the Attack Animations for when the monster uses a regular attack.")},
        {m_dump, QStringLiteral("This dumps the current monster's stats into a seperate text file.")},
        {m_lock, QStringLiteral("This locks the Attack Animation index controls so you can't edit them.")},
        {m_monsterList, kCredit},
        {m_monsterList->viewport(), kCredit},
        {m_nameIndex, QStringLiteral("You can't directly edit the Name Index value.")},
        {m_picture1, QStringLiteral("This displays the Monster Graphic.  This feature is not implimented yet.")},
    };
    for (auto it = m_helpTexts.cbegin(); it != m_helpTexts.cend(); ++it) {
        auto* widget = static_cast<QWidget*>(it.key());
        widget->setMouseTracking(true); // moves without a pressed button count too
        widget->installEventFilter(this);
    }
}

bool MonsterEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove) {
        const auto it = m_helpTexts.constFind(watched);
        // A disabled control gets no mouse events, so it shows no help.
        if (it != m_helpTexts.cend() && static_cast<QWidget*>(watched)->isEnabled())
            showStatus(it.value(), kHelpSeconds);
    }
    return QWidget::eventFilter(watched, event);
}

void MonsterEditor::showStatus(const QString& text, double seconds)
{
    m_info->setText(text);
    m_info->setToolTip(text);
    m_status->start(seconds, [this] {
        m_info->clear();
        m_info->setToolTip(QString());
    });
}

QString MonsterEditor::selectedName() const
{
    const QListWidgetItem* item = m_monsterList->currentItem();
    return item ? item->text() : QString();
}

void MonsterEditor::setFieldText(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
    else if (const auto rule = m_changeRules.value(box))
        rule();
}

// ---------------------------------------------------------------------------
// Loading

void MonsterEditor::Form_Load(const QString& romName)
{
    setWindowTitle(QStringLiteral("Monster Editor: ") + romName);
    // Entry 0 stands until a monster's own animation replaces it; a stored
    // byte beyond the list keeps it.
    LoadAttackAni();
    LoadMNames();
}

void MonsterEditor::LoadMNames()
{
    m_monsterList->addItems(data::monsterNames());
    m_monsterList->setCurrentRow(0); // loads monster 0
}

void MonsterEditor::LoadMStats()
{
    const int index = m_monsterList->currentRow();
    if (!MonsterRecord::isValidIndex(index))
        return;
    // One record, never half of another program's step.
    std::optional<ImageLockHold> oneState;
    oneState.emplace(m_session.rom(), LockMode::Shared);
    const MonsterRecord record(m_session.rom(), index);
    m_recordBase->setText(QString::number(record.recordBase()));

    // Every read first, so the failure taken below is the whole record's.
    std::array<uint16_t, kFieldCount> stored{};
    for (const fields::Field& f : fields::all())
        stored[static_cast<size_t>(fields::indexOf(f))] =
            f.kind == fields::Kind::Word ? record.wordAt(f.offset) : record.byteAt(f.offset);
    uint16_t attack = 0;
    for (const fields::Field& f : fields::all()) {
        const size_t i = static_cast<size_t>(fields::indexOf(f));
        QWidget* control = m_fieldControls[i];
        if (f.kind == fields::Kind::Flags)
            loadFlagByte(static_cast<QListWidget*>(control), f.listFirst, static_cast<uint8_t>(stored[i]));
        else if (control == m_spBit)
            LoadHideHP(static_cast<uint8_t>(stored[i]));
        else if (control == m_attackText)
            attack = stored[i];
        else // words above the cap show as the cap
            setFieldText(static_cast<QLineEdit*>(control), QString::number(stored[i]));
    }
    for (QListWidget* list : {m_weak, m_statusConditions, m_spAttrib})
        makeFirstEntryCurrent(list);

    oneState.reset();
    // Taken before the boxes' rules can show a message: the reads are over.
    m_loadFailure = m_session.rom().takeReadFailure();
    setFieldText(m_attackText, QString::number(attack)); // warns beyond the list
    if (attack < rules::kAttackAnimationCount) {
        m_attackCombo->setCurrentIndex(attack);
        LoadAttackAni(); // also when the combo's entry did not change
    }
    if (!m_loadFailure.ok())
        reportReadFailure(m_effects, this, m_session.rom().path(), m_loadFailure, unreadConsequence());
}

QString MonsterEditor::unreadConsequence() const
{
    return QStringLiteral(
               "The values shown for %1 are not the file's: Save writes nothing until the record is "
               "read again (select another monster, then this one).")
        .arg(selectedName());
}

void MonsterEditor::reloadIfTouched(const UndoStep& step)
{
    const int index = m_monsterList->currentRow();
    if (MonsterRecord::isValidIndex(index)
        && step.touches(MonsterRecord(m_session.rom(), index).offsetOf(0), kRecordSize))
        LoadMStats();
}

void MonsterEditor::reloadIfAmong(const QList<int>& records)
{
    if (records.contains(m_monsterList->currentRow()))
        LoadMStats();
}

void MonsterEditor::LoadHideHP(uint8_t byte)
{
    m_spBit->setText(QString::number(byte));
    // The boxes' own rule sets or clears a bit that already matches, so the
    // number stays the stored byte.
    const specialbits::Boxes boxes = specialbits::boxesFor(byte);
    m_hideHp->setChecked(boxes.hideHp);
    m_unknown1->setChecked(boxes.unknown1);
    m_unknown2->setChecked(boxes.unknown2);
    m_spBit->setText(QString::number(byte));
}

void MonsterEditor::LoadAttackAni()
{
    const int index = m_attackCombo->currentIndex();
    if (index < 0)
        return;
    setFieldText(m_attackText, QString::number(index));
    m_attackPicture->setPixmap(m_pictures->picture(index));
}

void MonsterEditor::AttackIndexTXT_Change()
{
    if (rules::isBeyondAttackList(m_attackText->text()))
        m_effects.showMessage(this, MessageIcon::Exclamation, QString::fromLatin1(rules::kAttackWarning));
}

void MonsterEditor::specialBitToggled(uint8_t bit, bool checked)
{
    const int64_t shown = numbertext::toInteger(m_spBit->text());
    const auto byte = static_cast<uint8_t>(std::clamp<int64_t>(shown, 0, 0xFF));
    m_spBit->setText(QString::number(specialbits::withBit(byte, bit, checked)));
}

// ---------------------------------------------------------------------------
// Commands

void MonsterEditor::SaveCMD_Click()
{
    const int index = m_monsterList->currentRow();
    if (!MonsterRecord::isValidIndex(index))
        return;
    if (!m_loadFailure.ok()) {
        m_status->stop();
        m_info->clear();
        reportReadFailure(m_effects, this, m_session.rom().path(), m_loadFailure, unreadConsequence());
        return;
    }

    MonsterEntries entries;
    for (const fields::Field& f : fields::all()) {
        const QWidget* control = m_fieldControls[static_cast<size_t>(fields::indexOf(f))];
        if (f.flags)
            entries.*f.flags = saveFlagByte(static_cast<const QListWidget*>(control), f.listFirst);
        else if (f.text)
            entries.*f.text = shownText(control);
    }

    // Everything is checked before the first byte (the stamp) is written.
    const CheckedEntries checked = checkEntries(entries);
    if (!checked.values) {
        m_effects.showMessage(this, MessageIcon::Exclamation, refusalMessage(checked));
        return;
    }

    // The editor stamp goes first, then the record, as one step; a file
    // replaced since it was opened, or too short for the record, gets neither.
    CommandOutcome saved =
        CommandOutcome::of(m_session.writes().check(MonsterRecord(m_session.rom(), index).offsetOf(0), kRecordSize));
    if (saved.ok())
        saved = m_session.writes().run(QStringLiteral("Save of ") + selectedName(), CommandKind::Save, [&] {
            IoResult result = SaveQuenHeader();
            return result.ok() ? SaveMStats(index, *checked.values) : result;
        });
    if (!saved.ok()) {
        m_status->stop();
        m_info->clear();
        reportFailure(m_effects, this, m_session.rom().path(), saved);
        return;
    }
    showStatus(QStringLiteral("The Stats of: ") + selectedName() + QStringLiteral(" has been saved."), kSavedSeconds);
}

IoResult MonsterEditor::SaveQuenHeader() { return zorvek::SaveQuenHeader(m_session.rom(), m_effects.now()); }

IoResult MonsterEditor::SaveMStats(int index, const MonsterValues& values)
{
    MonsterRecord record(m_session.rom(), index);
    return writeValues(record, values);
}

void MonsterEditor::CancelCMD_Click() { close(); }

void MonsterEditor::closeEvent(QCloseEvent* event)
{
    m_status->stop();
    emit closed();
    event->accept();
}

void MonsterEditor::LockControlsCMD_Click()
{
    const QList<QWidget*> editing = {
        m_level,       m_hp,         m_mp,         m_exp,      m_gil,   m_str,      m_agi,
        m_def,         m_evade,      m_magicPower, m_unknown,  m_weak,  m_spAttrib, m_statusConditions,
        m_attackCombo, m_attackText, m_unknown1,   m_unknown2, m_hideHp};
    m_locked = !m_locked;
    m_lockLabel->setText(lockCaption(m_locked));
    if (!m_locked) {
        // The name index stays disabled until the window opens again.
        for (QWidget* w : editing)
            w->setEnabled(true);
    } else {
        m_nameIndex->setEnabled(false);
        for (QWidget* w : editing)
            w->setEnabled(false);
    }
}

void MonsterEditor::Dump2TXT_Click()
{
    const QString name = selectedName();
    dump::DumpFields shown;
    shown.name = name;
    shown.dateTime = stamp::dateTimeText(m_effects.now(), QLocale());
    shown.romPath = QDir::toNativeSeparators(m_session.rom().path());
    for (const fields::Field* dumped : fields::dumped()) {
        const size_t i = static_cast<size_t>(fields::indexOf(*dumped));
        shown.texts[i] = shownText(m_fieldControls[i]);
    }
    shown.attackDescription = m_attackCombo->currentText();
    shown.hideHp = m_hideHp->isChecked();

    const QString imageFolder = QFileInfo(m_session.rom().path()).absolutePath();
    const QString folder =
        dump::folder(m_effects.programFolder(), imageFolder,
                     {QString::fromUtf8(kInstalledProgramFolder), QString::fromUtf8(kPackagedProgramFolder)});
    const dump::Outcome outcome = dump::save(name, dump::fileBytes(shown), folder, imageFolder);
    if (outcome.path.isEmpty()) {
        // The editor stays open: the user's edits are worth more than the dump.
        m_status->stop();
        m_info->clear();
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              QString::fromLatin1(dump::kFailureMessage) + QLatin1Char('\n') + outcome.problem);
        return;
    }
    showStatus(QStringLiteral("The stats of ") + name + QStringLiteral(" was saved to ") + outcome.path
                   + (outcome.besideImage ? QStringLiteral(" (the program's folder cannot be written)") : QString()),
               kDumpedSeconds);
}

} // namespace zorvek::ui
