// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/monsters/MonsterTableWindow.h"

#include "core/header/CopierHeader.h"
#include "core/image/ImageSession.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/ImageWrite.h"
#include "core/image/OriginalImage.h"
#include "core/monsters/MonsterRecord.h"
#include "core/program/AppSettings.h"
#include "core/table/MonsterTable.h"
#include "core/table/TableText.h"
#include "data/Artwork.h"
#include "ui/ImageFileFilters.h"
#include "ui/SideEffects.h"
#include "ui/WriteFailureMessage.h"
#include "ui/monsters/CountedText.h"
#include "ui/monsters/MonsterCellDelegate.h"
#include "ui/monsters/MonsterColumnGroups.h"
#include "ui/monsters/MonsterTableClipboard.h"
#include "ui/monsters/MonsterTableFilter.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/widgets/StatusTimer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTableView>
#include <QToolBar>

#include <algorithm>

namespace zorvek::ui {

namespace mt = table::monstertable;

namespace {

constexpr double kStatusSeconds = 10;

QString monstersText(int n) { return counted(n, "monster", "monsters"); }

} // namespace

MonsterTableWindow::MonsterTableWindow(ImageSession& session, SideEffects& effects, const QString& romName,
                                       QWidget* parent)
    : QMainWindow(parent), m_session(session), m_effects(effects)
{
    setObjectName(QStringLiteral("MonsterTable"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QFileInfo(m_session.rom().path()).fileName() + QStringLiteral(" \u2014 Monster Table: ") + romName);
    setWindowFilePath(m_session.rom().path());
    setWindowIcon(QPixmap::fromImage(data::applicationIcon()));
    m_statusTimer = new StatusTimer(m_effects, this);
    m_model = new MonsterTableModel(this);
    m_model->drawFor(this);
    m_filter = new MonsterTableFilter(*m_model, this);

    createViews();
    m_clipboard = std::make_unique<MonsterTableClipboard>(*m_view, *m_filter, *m_model);
    createActions();
    createStatusArea();

    connect(m_model, &MonsterTableModel::changesChanged, this, &MonsterTableWindow::showCounts);
    // Every write to the image, from any window, an undo or a redo, shows here at once.
    connect(&m_session.writes(), &ImageWriteSession::written, this, &MonsterTableWindow::reload);
    reload();
    if (const QString original = AppSettings().originalOf(m_session.rom().path()); !original.isEmpty())
        loadOriginal(original, true);
    showOriginalPath();
    applyHiddenColumns();
    resize(1000, 600);
}

MonsterTableWindow::~MonsterTableWindow() = default;

// ---------------------------------------------------------------------------
// Controls

void MonsterTableWindow::createViews()
{
    m_view = new QTableView(this);
    m_view->setObjectName(QStringLiteral("MonsterTableView"));
    m_frozen = new QTableView(this);
    m_frozen->setObjectName(QStringLiteral("MonsterTableFrozenView"));
    m_delegate = new MonsterCellDelegate(this);

    for (QTableView* view : {m_frozen, m_view}) {
        view->setModel(m_filter);
        view->setSortingEnabled(true);
        view->setSelectionMode(QAbstractItemView::ExtendedSelection);
        view->verticalHeader()->hide();
        view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 8);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn); // equal heights keep the rows in line
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& at) { showCellMenu(view->viewport()->mapTo(this, at)); });
    }
    m_view->sortByColumn(mt::Record, Qt::AscendingOrder);
    // One selection for both, so record and name go with their row.
    m_frozen->setSelectionModel(m_view->selectionModel());
    m_filter->setSelection(m_view->selectionModel());
    m_view->setItemDelegate(m_delegate);
    m_view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::AnyKeyPressed);
    m_frozen->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_frozen->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_frozen->setFocusPolicy(Qt::NoFocus);
    m_view->setAccessibleName(tr("Monsters"));
    m_frozen->setAccessibleName(tr("Monster numbers and names"));
    // One sort, one arrow: the other view's indicator follows onto a column it hides.
    QHeaderView* grid = m_view->horizontalHeader();
    QHeaderView* frozenHeader = m_frozen->horizontalHeader();
    for (const auto& link : {std::pair{grid, frozenHeader}, std::pair{frozenHeader, grid}}) {
        QHeaderView* to = link.second; // not a structured binding: Clang before 16 cannot capture one
        connect(link.first, &QHeaderView::sortIndicatorChanged, to, [to](int section, Qt::SortOrder order) {
            const QSignalBlocker quiet(to);
            to->setSortIndicator(section, order);
        });
    }

    for (int column = 0; column < m_model->columnCount(); ++column) {
        const bool frozen = column == mt::Record || column == mt::Name;
        m_frozen->setColumnHidden(column, !frozen);
        m_view->setColumnHidden(column, frozen);
    }
    m_frozen->resizeColumnToContents(mt::Record);
    m_frozen->setColumnWidth(mt::Name, m_frozen->fontMetrics().horizontalAdvance(QStringLiteral("MMMMMMMMMMMM")));
    m_frozen->setFixedWidth(m_frozen->columnWidth(mt::Record) + m_frozen->columnWidth(mt::Name)
                            + 2 * m_frozen->frameWidth());
    const int narrowest = m_view->fontMetrics().horizontalAdvance(QStringLiteral("Weak Against: "));
    m_view->horizontalHeader()->setDefaultSectionSize(narrowest);
    // Each column as wide as the longer line of its header, so none is cut.
    for (int column = 0; column < m_model->columnCount(); ++column) {
        int widest = narrowest;
        const QStringList lines = m_model->headerData(column, Qt::Horizontal).toString().split(u'\n');
        for (const QString& line : lines)
            widest = qMax(widest,
                          m_view->fontMetrics().horizontalAdvance(line) + 3 * m_view->fontMetrics().averageCharWidth());
        m_view->setColumnWidth(column, widest);
    }
    m_view->setColumnWidth(mt::AttackIndex, m_view->fontMetrics().horizontalAdvance(QStringLiteral("M")) * 18);

    connect(m_view->verticalScrollBar(), &QScrollBar::valueChanged, m_frozen->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(m_frozen->verticalScrollBar(), &QScrollBar::valueChanged, m_view->verticalScrollBar(),
            &QScrollBar::setValue);
    // The message box must not open while the editor is still closing.
    connect(m_delegate, &MonsterCellDelegate::refused, this, &MonsterTableWindow::showMessage, Qt::QueuedConnection);
    connect(m_filter, &MonsterTableFilter::refused, this, &MonsterTableWindow::showMessage, Qt::QueuedConnection);

    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_frozen);
    layout->addWidget(m_view, 1);
    setCentralWidget(central);
}

void MonsterTableWindow::createActions()
{
    const auto action = [this](const char* name, const QString& text, const QKeySequence& key = {}) {
        auto* a = new QAction(text, this);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        addAction(a);
        return a;
    };
    m_save = action("mnuTableSave", tr("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m_revert = action("mnuTableRevert", tr("&Revert"));
    m_compare = action("mnuCompareWith", tr("Compare With..."));
    QAction* close = action("mnuTableClose", tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_W));
    m_copy = action("mnuTableCopy", tr("&Copy"), QKeySequence::Copy);
    m_paste = action("mnuTablePaste", tr("&Paste"), QKeySequence::Paste);
    m_restore = action("mnuRestoreOriginal", tr("Restore Original Value"));
    m_changedOnlyAction = action("mnuChangedOnly", tr("Changed Only"));
    QAction* changedOnly = m_changedOnlyAction;
    changedOnly->setCheckable(true);
    changedOnly->setEnabled(false);

    connect(m_save, &QAction::triggered, this, &MonsterTableWindow::save);
    connect(m_revert, &QAction::triggered, this, &MonsterTableWindow::revert);
    connect(m_compare, &QAction::triggered, this, &MonsterTableWindow::compareWith);
    connect(close, &QAction::triggered, this, &QWidget::close);
    connect(m_copy, &QAction::triggered, this, &MonsterTableWindow::copySelection);
    connect(m_paste, &QAction::triggered, this, &MonsterTableWindow::pasteClipboard);
    connect(m_restore, &QAction::triggered, this, &MonsterTableWindow::restoreOriginalValues);

    QMenu* file = m_fileMenu = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("mnuTableFile"));
    file->addActions({m_save, m_revert});
    file->addSeparator();
    m_undoSeparator = file->addSeparator();
    file->addAction(m_compare);
    file->addSeparator();
    file->addAction(close);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->setObjectName(QStringLiteral("mnuTableEdit"));
    edit->addActions({m_copy, m_paste});
    edit->addSeparator();
    edit->addAction(m_restore);
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->setObjectName(QStringLiteral("mnuTableView"));
    const QStringList hidden = AppSettings().hiddenTableGroups();
    const std::vector<monstercolumns::ColumnGroup>& groups = monstercolumns::groups();
    for (int g = 0; g < static_cast<int>(groups.size()); ++g) {
        QAction* shown = view->addAction(tr(groups[g].title));
        shown->setObjectName(QStringLiteral("mnuShow") + QString::fromLatin1(groups[g].key));
        shown->setCheckable(true);
        shown->setChecked(!hidden.contains(QString::fromLatin1(groups[g].key)));
        connect(shown, &QAction::toggled, this, &MonsterTableWindow::groupsChanged);
        m_groupActions.append(shown);
    }
    view->addSeparator();
    view->addAction(changedOnly);

    QToolBar* bar = addToolBar(tr("Table"));
    bar->setObjectName(QStringLiteral("TableToolbar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const std::pair<QAction*, const char*> buttons[] = {{m_save, "SaveCMD"},
                                                        {m_revert, "RevertCMD"},
                                                        {m_compare, "CompareCMD"}};
    for (const auto& [a, name] : buttons) {
        bar->addAction(a);
        bar->widgetForAction(a)->setObjectName(QString::fromLatin1(name));
    }
    bar->addSeparator();
    m_filterText = new QLineEdit(bar);
    m_filterText->setObjectName(QStringLiteral("FilterTXT"));
    m_filterText->setPlaceholderText(tr("Filter by name or number"));
    m_filterText->setClearButtonEnabled(true);
    m_filterText->setMaximumWidth(240);
    m_filterText->setAccessibleName(tr("Filter"));
    bar->addWidget(m_filterText);
    m_changedOnly = new QCheckBox(tr("Changed only"), bar);
    m_changedOnly->setObjectName(QStringLiteral("ChangedOnlyCHK"));
    m_changedOnly->setToolTip(tr("Only the monsters that differ from the original compared with"));
    m_changedOnly->setEnabled(false);
    bar->addWidget(m_changedOnly);

    connect(m_filterText, &QLineEdit::textChanged, m_filter, &MonsterTableFilter::setText);
    connect(m_changedOnly, &QCheckBox::toggled, changedOnly, &QAction::setChecked);
    connect(changedOnly, &QAction::toggled, m_changedOnly, &QCheckBox::setChecked);
    connect(m_changedOnly, &QCheckBox::toggled, m_filter, &MonsterTableFilter::setChangedOnly);
}

void MonsterTableWindow::offerUndo(QAction* undo, QAction* redo)
{
    // The same steps as the main window's: Undo takes a whole table save back.
    m_fileMenu->insertActions(m_undoSeparator, {undo, redo});
    addActions({undo, redo});
}

void MonsterTableWindow::createStatusArea()
{
    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("InfoLBL"));
    m_originalLabel = new QLabel(this);
    m_originalLabel->setObjectName(QStringLiteral("OriginalLBL"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("ChangedCountLBL"));
    statusBar()->addWidget(m_info, 1);
    statusBar()->addPermanentWidget(m_originalLabel);
    statusBar()->addPermanentWidget(m_count);
}

void MonsterTableWindow::applyHiddenColumns()
{
    const std::vector<monstercolumns::ColumnGroup>& groups = monstercolumns::groups();
    for (int g = 0; g < static_cast<int>(groups.size()); ++g)
        for (const int column : groups[g].columns)
            m_view->setColumnHidden(column, !m_groupActions[g]->isChecked());
}

void MonsterTableWindow::groupsChanged()
{
    applyHiddenColumns();
    QStringList hidden;
    const std::vector<monstercolumns::ColumnGroup>& groups = monstercolumns::groups();
    for (int g = 0; g < static_cast<int>(groups.size()); ++g)
        if (!m_groupActions[g]->isChecked())
            hidden.append(QString::fromLatin1(groups[g].key));
    AppSettings().setHiddenTableGroups(hidden);
}

// ---------------------------------------------------------------------------
// State shown

QByteArray MonsterTableWindow::imageThroughTable(QString* readFailure)
{
    RomImage& rom = m_session.rom();
    const qint64 end =
        std::min(rom.size(), monsters::kTableOffset + qint64{monsters::kRecordSize} * monsters::kRecordCount);
    const QByteArray bytes = rom.readBytes(0, static_cast<int>(end));
    // A failed read comes back as zeros: those must never be shown or saved as the image.
    if (IoResult r = rom.takeReadFailure(); !r.ok()) {
        *readFailure = r.error;
        return {};
    }
    return bytes.size() == end ? bytes : QByteArray();
}

void MonsterTableWindow::reload()
{
    if (m_saving || !m_session.rom().isOpen())
        return;
    QString readFailure;
    const QByteArray bytes = imageThroughTable(&readFailure);
    if (!readFailure.isEmpty()) {
        // In the status line: a box here would come back each time the window is activated.
        showStatus(tr("The image could not be read: %1").arg(readFailure));
        return;
    }
    m_model->loadImage(bytes);
}

void MonsterTableWindow::placeBeside(const QWidget* other)
{
    const QRect beside = other->frameGeometry();
    const QScreen* screen = other->screen();
    const QRect free = screen->availableGeometry();
    // Not shown yet, this window has no frame: the other's decorations stand in for its own.
    const QSize frame = beside.size() - other->geometry().size();
    const int right = free.right() - beside.right() - frame.width();
    const int left = beside.left() - free.left() - frame.width();
    const int room = qMax(right, left);
    if (room < minimumSizeHint().width())
        return; // no side has room: where the window system puts it
    resize(qMin(width(), room), qMin(height(), free.height() - frame.height()));
    const QSize outer = size() + frame;
    // move() places the frame.
    move(right >= left ? beside.right() + 1 : beside.left() - outer.width(),
         qBound(free.top(), beside.top(), free.bottom() + 1 - outer.height()));
}

void MonsterTableWindow::changeEvent(QEvent* event)
{
    // Another program may have rewritten the image in place meanwhile.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        reload();
    QMainWindow::changeEvent(event);
}

void MonsterTableWindow::showCounts()
{
    const int changed = m_model->changedRecordCount();
    m_count->setText(changed == 0 ? tr("No unsaved changes") : tr("%1 changed, not saved").arg(monstersText(changed)));
    m_save->setEnabled(changed > 0);
    m_revert->setEnabled(changed > 0);
    showOriginalPath();
}

void MonsterTableWindow::showOriginalPath()
{
    const bool compared = m_model->hasOriginal();
    m_changedOnly->setEnabled(compared);
    m_changedOnlyAction->setEnabled(compared);
    if (!compared) {
        m_originalLabel->setText(tr("No original to compare with"));
        return;
    }
    int differing = 0;
    for (int row = 0; row < m_model->rowCount(); ++row)
        differing += m_model->rowDiffersFromOriginal(row) ? 1 : 0;
    m_originalLabel->setText(
        tr("Original: %1 (%2 differ)").arg(QDir::toNativeSeparators(m_originalPath), monstersText(differing)));
    m_originalLabel->setToolTip(QDir::toNativeSeparators(m_originalPath));
}

void MonsterTableWindow::showMessage(const QString& text)
{
    m_effects.showMessage(this, MessageIcon::Exclamation, text);
}

void MonsterTableWindow::showStatus(const QString& text)
{
    m_info->setText(text);
    m_statusTimer->start(kStatusSeconds, [this] { m_info->clear(); });
}

// ---------------------------------------------------------------------------
// Commands

bool MonsterTableWindow::hasUnsavedChanges() const { return m_model->changedRecordCount() > 0; }

void MonsterTableWindow::commitOpenEditor()
{
    // A cell still being typed in counts, as a text box's text counts in the monster editor.
    if (QWidget* editor = QApplication::focusWidget(); editor && editor->parentWidget() == m_view->viewport()) {
        emit m_delegate->commitData(editor);
        emit m_delegate->closeEditor(editor);
    }
}

void MonsterTableWindow::save()
{
    commitOpenEditor();
    const MonsterTableModel::Saves saves = m_model->saves();
    if (!saves.refusal.isEmpty()) {
        showMessage(saves.refusal);
        return;
    }
    if (saves.records.empty())
        return;
    const int count = static_cast<int>(saves.records.size());
    ImageWriteSession& writes = m_session.writes();
    const qint64 tableSize = qint64{monsters::kRecordSize} * monsters::kRecordCount;
    if (IoResult r = writes.check(monsters::kTableOffset, tableSize); !r.ok()) {
        reportWriteFailure(m_effects, this, m_session.rom().path(), r.error);
        return;
    }
    QString unread;
    const QByteArray imageBytes = imageThroughTable(&unread);
    if (imageBytes.isEmpty()) {
        reportWriteFailure(m_effects, this, m_session.rom().path(),
                           unread.isEmpty() ? tr("The image could not be read whole before the save.") : unread);
        return;
    }
    const QDateTime now = m_effects.now();
    const QString command = QStringLiteral("Save of ") + monstersText(count);
    m_saving = true;
    const CommandOutcome out = commitThroughCopy(writes, imageBytes, command, [&](RomImage& copy) {
        return mt::writeSaves(copy, saves.records, now);
    });
    m_saving = false;
    reload();
    if (!out.ok()) {
        reportFailure(m_effects, this, m_session.rom().path(), out);
        return;
    }
    QList<int> records;
    for (const mt::RecordSave& save : saves.records)
        records.append(save.record);
    emit recordsWritten(records);
    showStatus(tr("%1 saved.").arg(monstersText(count)));
}

void MonsterTableWindow::revert()
{
    commitOpenEditor();
    if (!hasUnsavedChanges())
        return;
    const QString question = tr("Revert drops the unsaved changes to %1. Save them instead?")
                                 .arg(monstersText(m_model->changedRecordCount()));
    switch (m_effects.askToSave(this, question)) {
    case SaveAnswer::Save:
        save();
        return;
    case SaveAnswer::Cancel:
        return;
    case SaveAnswer::Discard:
        break;
    }
    m_model->dropEdits();
    showStatus(tr("Unsaved changes dropped."));
}

bool MonsterTableWindow::settleUnsavedChanges()
{
    commitOpenEditor();
    if (!hasUnsavedChanges())
        return true;
    const QString question =
        tr("The monster table holds unsaved changes to %1 of \"%2\".\nSave them before they are lost?")
            .arg(monstersText(m_model->changedRecordCount()), QDir::toNativeSeparators(m_session.rom().path()));
    switch (m_effects.askToSave(this, question)) {
    case SaveAnswer::Save:
        save();
        return !hasUnsavedChanges();
    case SaveAnswer::Discard:
        m_model->dropEdits();
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void MonsterTableWindow::closeForGoodImage()
{
    m_closingForGood = true;
    close();
}

void MonsterTableWindow::closeEvent(QCloseEvent* event)
{
    if (!m_closingForGood && !settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    m_statusTimer->stop();
    event->accept();
}

QList<int> MonsterTableWindow::visibleColumns() const
{
    QList<int> columns{mt::Record, mt::Name};
    for (int column = 0; column < m_model->columnCount(); ++column)
        if (!m_view->isColumnHidden(column))
            columns.append(column);
    return columns;
}

void MonsterTableWindow::copySelection() { m_clipboard->copy(visibleColumns()); }

void MonsterTableWindow::pasteClipboard()
{
    const MonsterTableClipboard::Pasted pasted = m_clipboard->paste(visibleColumns());
    if (!pasted.refusal.isEmpty())
        showMessage(pasted.refusal);
    else if (pasted.cells > 0)
        showStatus(tr("%1 pasted.").arg(counted(pasted.cells, "cell", "cells")));
}

void MonsterTableWindow::restoreOriginalValues()
{
    if (!m_model->hasOriginal())
        return;
    std::vector<MonsterTableModel::CellEdit> cells;
    int readOnly = 0;
    for (const QModelIndex& index : m_view->selectionModel()->selectedIndexes()) {
        const QModelIndex source = m_filter->mapToSource(index);
        if (!m_model->differsFromOriginal(source.row(), source.column()))
            continue;
        if (!m_model->isEditable(source.column())) {
            ++readOnly;
            continue;
        }
        cells.push_back({source.row(), source.column(), m_model->originalValue(source.row(), source.column())});
    }
    if (const auto refusal = m_model->applyValues(cells)) {
        showMessage(*refusal + tr("\nNothing was restored."));
        return;
    }
    const QString restored = counted(static_cast<qsizetype>(cells.size()), "cell", "cells");
    showStatus(readOnly == 0 ? tr("%1 restored.").arg(restored)
                             : tr("%1 restored; %2 %3.")
                                   .arg(restored, counted(readOnly, "read-only cell", "read-only cells"),
                                        readOnly == 1 ? tr("keeps its value") : tr("keep their value")));
}

void MonsterTableWindow::showCellMenu(const QPoint& at)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("TableContextMenu"));
    menu.addActions({m_copy, m_paste});
    menu.addSeparator();
    menu.addAction(m_restore);
    m_restore->setEnabled(m_model->hasOriginal());
    menu.exec(mapToGlobal(at));
}

void MonsterTableWindow::compareWith()
{
    const QFileInfo image(m_session.rom().path());
    const std::optional<QString> chosen =
        m_effects.chooseFileToOpen(this, tr("Unmodified Original Image"), originalImageFilters(),
                                   originalImageFilters().constFirst(), image.absolutePath());
    if (chosen)
        loadOriginal(*chosen, false);
}

bool MonsterTableWindow::loadOriginal(const QString& path, bool quietly)
{
    const originalimage::RomData original = originalimage::read(path, m_session.rom().size() - copier::kHeaderSize);
    if (!original.ok()) {
        if (!quietly)
            showMessage((original.unread.ok() ? original.refusal
                                              : tr("The original \"%1\" could not be read:\n%2")
                                                    .arg(QDir::toNativeSeparators(path), original.unread.error))
                        + tr("\nThe table compares with what it compared with before."));
        return false;
    }
    m_originalPath = path;
    m_model->setOriginal(original.bytes);
    // A settings file written for nothing costs a lock and a rename.
    if (AppSettings settings; settings.originalOf(m_session.rom().path()) != path)
        settings.setOriginalOf(m_session.rom().path(), path);
    showOriginalPath();
    return true;
}

} // namespace zorvek::ui
