// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/header/CopierHeader.h"
#include "core/header/EditorStamp.h"
#include "core/header/InternalName.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/ImageCopy.h"
#include "core/image/PendingStamp.h"
#include "core/image/RollbackJournal.h"
#include "core/image/RomChecksum.h"
#include "core/image/SameFile.h"
#include "core/program/AppInfo.h"
#include "core/program/AppSettings.h"
#include "core/program/Documentation.h"
#include "data/Artwork.h"
#include "patches/PatchMaker.h"
#include "ui/AboutDialog.h"
#include "ui/ApplyPatchDialog.h"
#include "ui/ImageFileFilters.h"
#include "ui/ImageWatcher.h"
#include "ui/PlayLauncher.h"
#include "ui/SideEffects.h"
#include "ui/WriteFailureMessage.h"
#include "ui/characters/CharacterEditor.h"
#include "ui/monsters/MonsterEditor.h"
#include "ui/monsters/MonsterTableModel.h"
#include "ui/monsters/MonsterTableWindow.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "ui/widgets/NamedComboBoxes.h"
#include "ui/widgets/ThemeColours.h"
#include "ui/widgets/RecentImagesMenu.h"
#include "ui/widgets/WheelGuard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace zorvek::ui {

namespace {

constexpr const char* kDefaultNotice = QT_TR_NOOP("Every save writes at once; Undo takes it back.");

const QString kHeaderlessFilter = QStringLiteral("Headerless ROM File (*.sfc)");

// The one local file a drag carries, or nothing.
QString droppedImage(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1 || !data->urls().constFirst().isLocalFile())
        return {};
    const QString path = data->urls().constFirst().toLocalFile();
    return QFileInfo(path).isFile() ? path : QString();
}

// Beside the image, named as it with .smc, but never the image itself.
QString proposedCopyName(const QFileInfo& image)
{
    const QDir folder = image.absoluteDir();
    const QString same = folder.filePath(image.completeBaseName() + QStringLiteral(".smc"));
    if (!isSameFile(same, image.filePath()))
        return same;
    return folder.filePath(image.completeBaseName() + QStringLiteral(" (with header).smc"));
}

QAction* namedAction(QObject* parent, const char* name, const QString& text, const QKeySequence& key = {})
{
    auto* action = new QAction(text, parent);
    action->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

QAction* namedSeparator(QMenu* menu, const char* name)
{
    QAction* separator = menu->addSeparator();
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

QAction* checkableAction(QObject* parent, const char* name, const QString& text, bool checked)
{
    QAction* action = namedAction(parent, name, text);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

// A step named after a monster must not turn a letter of it into an access key.
QString menuText(const QString& verb, const QString& step)
{
    return step.isEmpty() ? verb : verb + u' ' + QString(step).replace(u'&', QStringLiteral("&&"));
}

} // namespace

MainWindow::MainWindow(SideEffects& effects, QWidget* parent)
    : QMainWindow(parent), m_effects(effects), m_session(effects)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(kAppTitle));
    setWindowIcon(QIcon(QPixmap::fromImage(data::applicationIcon())));
    nameComboBoxesByPurpose();
    connect(&m_session.pendingStamp(), &PendingStamp::writeFailed, this, &MainWindow::reportFailure);
    // Editors save from their own windows; the state shown here follows every write.
    connect(&m_session.writes(), &ImageWriteSession::written, this, &MainWindow::showWriteState);
    connect(&m_session.writes(), &ImageWriteSession::replayed, this, &MainWindow::reloadTouched);
    m_launcher = new PlayLauncher(effects, QStandardPaths::writableLocation(QStandardPaths::CacheLocation), this);
    m_watcher = new ImageWatcher(m_session.rom(), this);
    connect(m_watcher, &ImageWatcher::changedOutside, this, &MainWindow::imageChangedOutside);

    createActions();
    createMenus();
    createToolBars();
    createCentralArea();
    applyWriteOptions();
    showWriteState();
    m_copierType->setCurrentIndex(static_cast<int>(zorvek::CopierType::NotLoaded));
    setFixedSize(sizeHint().expandedTo(QSize(360, 0)));
    setAcceptDrops(true);
}

MainWindow::~MainWindow()
{
    // The session, which outlives this body, writes a stamp still due.
    delete m_monsterEditor;
    delete m_characterEditor;
    delete m_table;
}

void MainWindow::createActions()
{
    m_open = namedAction(this, "mnuOpen", tr("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
    m_addHeader = namedAction(this, "mnuAddHeader", tr("Add Copier &Header..."));
    // With the name box focused, Ctrl+C copies as in every text box (the box
    // claims the key first); anywhere else it closes the image.
    m_close = namedAction(this, "mnuClose", tr("&Close ROM"), QKeySequence(Qt::CTRL | Qt::Key_C));
    m_save = namedAction(this, "mnuSave", tr("&Save ROM"), QKeySequence(Qt::CTRL | Qt::Key_S));
    m_save->setEnabled(false);
    m_undo = namedAction(this, "mnuUndo", tr("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = namedAction(this, "mnuRedo", tr("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_createPatch = namedAction(this, "mnuCreatePatch", tr("Create Pa&tch..."));
    m_applyPatch = namedAction(this, "mnuApplyPatch", tr("Apply &Patch..."));
    m_quit = namedAction(this, "mnuQuit", tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_help = namedAction(this, "mnuHelp", tr("&Help"), QKeySequence(Qt::Key_F1));
    m_help->setEnabled(false);
    m_readme = namedAction(this, "mnuReadme", tr("&Readme"), QKeySequence(Qt::Key_F12));
    m_url = namedAction(this, "mnuURL", tr("Goto Quenmark-Soft"), QKeySequence(Qt::Key_F11));
    m_about = namedAction(this, "mnuAbout", tr("&About"), QKeySequence(Qt::Key_F2));
    m_monsterTable = namedAction(this, "mnuMonsterTable", tr("Monster &Table"), QKeySequence(Qt::CTRL | Qt::Key_T));
    m_monsterTable->setEnabled(false);
    // Beside the toolbar buttons, for the keyboard.
    m_monsters = namedAction(this, "mnuMonsters", tr("&Monsters"), QKeySequence(Qt::CTRL | Qt::Key_M));
    m_characters = namedAction(this, "mnuCharacters", tr("&Characters"), QKeySequence(Qt::CTRL | Qt::Key_H));
    m_monsters->setEnabled(false);
    m_characters->setEnabled(false);
    m_play = namedAction(this, "mnuPlay", tr("&Play in Emulator"), QKeySequence(Qt::Key_F5));
    m_play->setIcon(QIcon(QPixmap::fromImage(data::toolbarIcon(QStringLiteral("Play")))));
    m_play->setEnabled(false);
    m_emulator = namedAction(this, "mnuEmulator", tr("Emu&lator..."));
    const AppSettings settings;
    m_backUp = checkableAction(this, "mnuBackUp", tr("&Back Up Before First Save"), settings.backUpBeforeFirstSave());
    m_fixChecksum = namedAction(this, "mnuFixChecksum", tr("Fi&x ROM Checksum"));
    m_fixChecksumOnSave =
        checkableAction(this, "mnuFixChecksumOnSave", tr("Fix Checksum on &Every Save"), settings.fixChecksumOnSave());
    m_defaultName = namedAction(this, "mnuDefault", tr("Default: KELVARNTHOSIA 5"));
    m_zorvekName = namedAction(this, "mnuZorvek", tr("Change: Kelvarnthosia 5"));
    m_zorvanName = namedAction(this, "mnuZorvan", tr("Change: Kelvarnthosia V"));

    connect(m_open, &QAction::triggered, this, &MainWindow::LoadROM);
    connect(m_addHeader, &QAction::triggered, this, &MainWindow::mnuAddHeader_Click);
    connect(m_close, &QAction::triggered, this, &MainWindow::mnuClose_Click);
    connect(m_save, &QAction::triggered, this, &MainWindow::SaveROM);
    connect(m_undo, &QAction::triggered, this, &MainWindow::mnuUndo_Click);
    connect(m_redo, &QAction::triggered, this, &MainWindow::mnuRedo_Click);
    connect(m_createPatch, &QAction::triggered, this, &MainWindow::mnuCreatePatch_Click);
    connect(m_applyPatch, &QAction::triggered, this, &MainWindow::mnuApplyPatch_Click);
    connect(m_quit, &QAction::triggered, this, &MainWindow::mnuQuit_Click);
    connect(m_fixChecksum, &QAction::triggered, this, &MainWindow::mnuFixChecksum_Click);
    connect(m_backUp, &QAction::toggled, this, [this](bool on) {
        AppSettings().setBackUpBeforeFirstSave(on);
        applyWriteOptions();
    });
    connect(m_fixChecksumOnSave, &QAction::toggled, this, [this](bool on) {
        AppSettings().setFixChecksumOnSave(on);
        applyWriteOptions();
    });
    connect(m_readme, &QAction::triggered, this, &MainWindow::mnuReadme_Click);
    connect(m_url, &QAction::triggered, this, &MainWindow::mnuURL_Click);
    connect(m_about, &QAction::triggered, this, &MainWindow::mnuAbout_Click);
    connect(m_monsterTable, &QAction::triggered, this, &MainWindow::openMonsterTable);
    connect(m_monsters, &QAction::triggered, this, &MainWindow::openMonsterEditor);
    connect(m_characters, &QAction::triggered, this, &MainWindow::openCharacterEditor);
    connect(m_play, &QAction::triggered, this, &MainWindow::mnuPlay_Click);
    connect(m_emulator, &QAction::triggered, this, &MainWindow::mnuEmulator_Click);
    connect(m_defaultName, &QAction::triggered, this, [this] { m_nameText->setText(QStringLiteral("KELVARNTHOSIA 5")); });
    connect(m_zorvekName, &QAction::triggered, this, [this] { m_nameText->setText(QStringLiteral("Kelvarnthosia 5")); });
    connect(m_zorvanName, &QAction::triggered, this, [this] { m_nameText->setText(QStringLiteral("Kelvarnthosia V")); });
}

void MainWindow::createMenus()
{
    m_fileMenu = menuBar()->addMenu(tr("&File"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
    m_fileMenu->menuAction()->setObjectName(QStringLiteral("mnuFile"));
    m_fileMenu->addAction(m_open);
    m_fileMenu->addAction(m_addHeader);
    m_recent = new RecentImagesMenu(m_fileMenu);
    connect(m_recent, &RecentImagesMenu::imageChosen, this, &MainWindow::openRecent);
    m_fileMenu->addMenu(m_recent);
    m_fileMenu->addAction(m_close);
    m_fileMenu->addAction(m_save);
    namedSeparator(m_fileMenu, "mnuDmy5");
    m_fileMenu->addAction(m_undo);
    m_fileMenu->addAction(m_redo);
    namedSeparator(m_fileMenu, "mnuDmy6");
    m_fileMenu->addAction(m_createPatch);
    m_fileMenu->addAction(m_applyPatch);
    namedSeparator(m_fileMenu, "mnuDmy2");
    m_fileMenu->addAction(m_quit);

    m_stuffMenu = menuBar()->addMenu(tr("&Stuff"));
    m_stuffMenu->setObjectName(QStringLiteral("mnuStuff"));
    m_stuffMenu->menuAction()->setObjectName(QStringLiteral("mnuStuff"));
    m_stuffMenu->addAction(m_help);
    m_stuffMenu->addAction(m_readme);
    m_stuffMenu->addAction(m_url);
    namedSeparator(m_stuffMenu, "mnuDmy8");
    m_stuffMenu->addActions({m_monsters, m_characters, m_monsterTable, m_play, m_emulator});
    namedSeparator(m_stuffMenu, "mnuDmy7");
    m_stuffMenu->addAction(m_backUp);
    m_stuffMenu->addAction(m_fixChecksum);
    m_stuffMenu->addAction(m_fixChecksumOnSave);
    namedSeparator(m_stuffMenu, "mnuDmy3");
    m_stuffMenu->addAction(m_about);

    // The internal-name choices: a pop-up only, never in the menu bar.
    m_defaultMenu = new QMenu(tr("Default"), this);
    m_defaultMenu->setObjectName(QStringLiteral("mnuDefault1"));
    m_defaultMenu->addAction(m_defaultName);
    namedSeparator(m_defaultMenu, "mnuDmy4");
    m_defaultMenu->addAction(m_zorvekName);
    m_defaultMenu->addAction(m_zorvanName);
}

void MainWindow::createToolBars()
{
    struct Button {
        const char* key;
        const char* tip;
    };
    auto addButtons = [this](QToolBar* bar, std::initializer_list<Button> buttons) {
        for (const Button& b : buttons) {
            const QString key = QString::fromLatin1(b.key);
            QAction* action = bar->addAction(QIcon(QPixmap::fromImage(data::toolbarIcon(key))), key);
            action->setObjectName(key);
            if (b.tip)
                action->setToolTip(QString::fromLatin1(b.tip));
            if (QWidget* button = bar->widgetForAction(action))
                button->setObjectName(key);
        }
    };

    m_toolbar1 = addToolBar(tr("File"));
    m_toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    m_toolbar1->setMovable(false);
    m_toolbar1->setFloatable(false);
    m_toolbar1->setIconSize(QSize(24, 24));
    addButtons(m_toolbar1, {{"Open", "Displays Open File dialog box."},
                            {"Save", "Save - Feature not coded."},
                            {"Config", "Settings - Feature not coded."},
                            {"URL", "Goto Quenmark-Soft's Homepage"}});
    connect(m_toolbar1, &QToolBar::actionTriggered, this, [this](QAction* action) {
        const QString key = action->objectName();
        if (key == QLatin1String("Open"))
            LoadROM();
        else if (key == QLatin1String("Save"))
            ToolbarSave_Click();
        else if (key == QLatin1String("URL"))
            mnuURL_Click();
    });

    addToolBarBreak();
    m_toolbar2 = addToolBar(tr("Editors"));
    m_toolbar2->setObjectName(QStringLiteral("Toolbar2"));
    m_toolbar2->setMovable(false);
    m_toolbar2->setFloatable(false);
    m_toolbar2->setIconSize(QSize(24, 24));
    m_toolbar2->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addButtons(m_toolbar2, {{"Characters", nullptr}, {"Monsters", nullptr}});
    m_toolbar2->addAction(m_play);
    m_toolbar2->widgetForAction(m_play)->setObjectName(QStringLiteral("Play"));
    connect(m_toolbar2, &QToolBar::actionTriggered, this, [this](QAction* action) {
        const QString key = action->objectName();
        if (key == QLatin1String("Characters"))
            openCharacterEditor();
        else if (key == QLatin1String("Monsters"))
            openMonsterEditor();
    });
    // Editors read the file as soon as they open: no image, no editors.
    m_toolbar2->setEnabled(false);
}

QMenu* MainWindow::createPopupMenu()
{
    // Toolbar2 is the only way to the editors: no right-click menu may hide it.
    return nullptr;
}

void MainWindow::createCentralArea()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    m_frame1 = new QGroupBox(tr("Internal ROM Name:"), central);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    auto* frameLayout = new QHBoxLayout(m_frame1);
    m_nameText = new LimitedLineEdit(m_frame1);
    m_nameText->setObjectName(QStringLiteral("InternalROMNameTXT"));
    m_nameText->setInputLimit(internalname::kLength);
    m_nameText->setText(QString::fromLatin1(kNotLoadedText));
    m_nameText->setEnabled(false);
    theme::keepWindowColoured(m_nameText);
    // A file dropped on the box opens, as anywhere on the window; text still drops in.
    m_nameText->installEventFilter(this);
    m_changeName = new QPushButton(QStringLiteral(">"), m_frame1);
    m_changeName->setObjectName(QStringLiteral("ChangeROMNameCMD"));
    // A small square button, growing with the font.
    m_changeName->setFixedWidth(qMax(28, m_changeName->fontMetrics().height() + 10));
    m_changeName->setEnabled(false);
    m_changeName->setAccessibleName(tr("Internal name choices"));
    connect(m_changeName, &QPushButton::clicked, this, &MainWindow::ChangeROMNameCMD_Click);
    frameLayout->addWidget(m_nameText);
    frameLayout->addWidget(m_changeName);
    layout->addWidget(m_frame1);

    auto* copierRow = new QHBoxLayout;
    m_copierLabel = new QLabel(tr("Copier Type:"), central);
    m_copierLabel->setObjectName(QStringLiteral("CopierTypeLBL"));
    m_copierType = new QComboBox(central);
    WheelGuard::install(m_copierType);
    m_copierType->setObjectName(QStringLiteral("CopierTypeCBO"));
    m_copierLabel->setBuddy(m_copierType);
    for (const char* name : copier::typeNames())
        m_copierType->addItem(QString::fromLatin1(name));
    m_copierType->setEnabled(false);
    connect(m_copierType, &QComboBox::activated, this, [this] { m_copierPicked = true; });
    copierRow->addWidget(m_copierLabel);
    copierRow->addWidget(m_copierType, 1);
    layout->addLayout(copierRow);

    m_checksum = new QLabel(central);
    m_checksum->setObjectName(QStringLiteral("ChecksumLBL"));
    // Room for the longest state, also while no image is loaded: the window's
    // size is fixed, and nothing may move on open or be cut in a large font.
    m_checksum->setText(QStringLiteral("Checksum: stale complement (stored 0xFFFF, should be 0xFFFF)"));
    m_checksum->setMinimumSize(m_checksum->minimumSizeHint());
    m_checksum->clear();
    layout->addWidget(m_checksum);

    m_notice = new QLabel(tr(kDefaultNotice), central);
    m_notice->setObjectName(QStringLiteral("NoticeLBL"));
    // Set apart by colour, not by an italic or smaller face: a second face
    // is a second font file found and opened at every start.
    QPalette quiet = m_notice->palette();
    quiet.setColor(QPalette::WindowText, quiet.color(QPalette::Disabled, QPalette::WindowText));
    m_notice->setPalette(quiet);
    m_notice->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    layout->addWidget(m_notice);

    setCentralWidget(central);
}

bool MainWindow::isLoaded() const
{
    return m_session.rom().isOpen() && m_nameText->text() != QLatin1String(kNotLoadedText);
}

MonsterEditor* MainWindow::monsterEditor() const { return m_monsterEditor.data(); }
CharacterEditor* MainWindow::characterEditor() const { return m_characterEditor.data(); }
MonsterTableWindow* MainWindow::monsterTable() const { return m_table.data(); }

void MainWindow::showAgain()
{
    show();
    raise();
    activateWindow();
    if (std::exchange(m_reopenDue, false) && isLoaded())
        offerReopen();
}

void MainWindow::reportWriteFailure(QWidget* parent, const QString& reason)
{
    ui::reportWriteFailure(m_effects, parent, m_session.rom().path(), reason);
}

void MainWindow::reportReadFailure(QWidget* parent, const IoResult& failure, const QString& consequence)
{
    ui::reportReadFailure(m_effects, parent, m_session.rom().path(), failure, consequence);
}

void MainWindow::reportFailure(const CommandOutcome& outcome)
{
    ui::reportFailure(m_effects, this, m_session.rom().path(), outcome);
}

void MainWindow::LoadROM()
{
    const std::optional<QString> chosen =
        m_effects.chooseFileToOpen(this, {}, imageFileFilters(), imageFileFilters().at(1), AppSettings().openFolder());
    if (!chosen)
        return;  // a cancelled dialog leaves the open image as it was
    openImage(*chosen);
}

void MainWindow::openImage(const QString& path)
{
    if (!settleMonsterTable())
        return;
    closeImage();
    const IoResult opened = m_session.rom().open(path);
    if (!opened.ok()) {
        enterNotLoadedState();
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The file \"%1\" could not be opened for reading and writing:\n%2")
                                  .arg(QDir::toNativeSeparators(path), opened.error));
        return;
    }
    AppSettings().rememberOpenedFile(path);
    const rollback::Recovery found = rollback::recover(m_session.rom());
    if (found.state == rollback::Recovery::State::Busy) {
        m_session.rom().close();
        enterNotLoadedState();
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The file \"%1\" was not opened:\n%2")
                                  .arg(QDir::toNativeSeparators(path), found.reason));
        return;
    }
    if (m_session.rom().readFailure().ok())  // else refused below, with the reason
        showRecovery(found);
    {
        const ImageLockHold oneState(m_session.rom(), LockMode::Shared);
        LoadIName();
        LoadCopierType();
    }
    if (!refuseUnread())
        return;
    enterLoadedState();
    if (!CheckROM())
        return;
    m_watcher->watch();
    // Only images that stay open are worth opening again.
    AppSettings().rememberRecentImage(path);
    m_recent->refresh();
}

void MainWindow::openRecent(const QString& path)
{
    if (QFileInfo(path).isFile()) {
        openImage(path);
        return;
    }
    AppSettings().forgetRecentImage(path);
    m_recent->refresh();
    m_effects.showMessage(this, MessageIcon::Exclamation,
                          tr("The file \"%1\" is no longer there; it was taken off the Open Recent list.")
                              .arg(QDir::toNativeSeparators(path)));
}

void MainWindow::mnuAddHeader_Click()
{
    const std::optional<QString> source = m_effects.chooseFileToOpen(
        this, tr("Headerless ROM Image"), {kHeaderlessFilter, imageFileFilters().at(0)}, kHeaderlessFilter,
        AppSettings().openFolder());
    if (!source)
        return;
    const QString shownSource = QDir::toNativeSeparators(*source);
    const imagecopy::FileBytes bytes = imagecopy::readWhole(*source);
    if (!bytes.result.ok()) {
        m_effects.showMessage(this, MessageIcon::Exclamation, bytes.result.error);
        return;
    }
    if (const auto kind = headerless::classify(bytes.bytes); kind != headerless::Kind::ThisGame) {
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              headerless::refusalText(kind, shownSource, bytes.bytes.size()) +
                                  tr("\nNothing was written."));
        return;
    }
    const QString smcFilter = imageFileFilters().at(1);
    const std::optional<SaveChoice> target =
        m_effects.chooseFileToSave(this, tr("Add Copier Header"), {smcFilter, imageFileFilters().at(0)}, smcFilter,
                                   proposedCopyName(QFileInfo(*source)));
    if (!target)
        return;
    // The dialog has asked before replacing a file.
    const imagecopy::Outcome written = imagecopy::writeCopy(
        target->path, imagecopy::headerFor(zorvek::CopierType::SuperMagicom) + bytes.bytes, *source, true);
    if (!written.ok()) {
        m_effects.showMessage(this, MessageIcon::Exclamation, written.result.error);
        return;
    }
    openImage(target->path);
}

void MainWindow::showRecovery(const rollback::Recovery& found)
{
    using State = rollback::Recovery::State;
    const QString image = QDir::toNativeSeparators(m_session.rom().path());
    const QString journal = QDir::toNativeSeparators(found.journal);
    switch (found.state) {
    case State::None:
        showNotice(tr(kDefaultNotice), {});
        break;
    case State::TornRemoved:
        showNotice(tr("A journal of a step that never began was removed."),
                   tr("The rollback journal \"%1\" of a step cut off before it wrote to the ROM image was removed.")
                       .arg(journal));
        break;
    case State::TakenBack:
        showNotice(tr("A step cut off by a crash was taken back."),
                   tr("The ROM image \"%1\" held part of a step cut off by a crash; its rollback journal \"%2\" "
                      "put back the bytes from before that step and was removed.")
                       .arg(image, journal));
        break;
    case State::Changed:
        showNotice(tr(kDefaultNotice), {});
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The ROM image \"%1\" has the rollback journal \"%2\" of a step cut off by a "
                                 "crash, but another program has changed the image since. Both were left as they "
                                 "are.\n\nNothing can be saved into the image while the journal is there: move "
                                 "the journal away to save anyway.")
                                  .arg(image, journal));
        break;
    case State::Refused:
        showNotice(tr(kDefaultNotice), {});
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The file \"%1\" beside the ROM image \"%2\" was left alone as no rollback "
                                 "journal of it: %3.\n\nImage and journal were left as they are. Nothing can be "
                                 "saved into the image while the file is there: move it away to save.")
                                  .arg(journal, image, found.reason));
        break;
    case State::Busy:  // refused before
    case State::Failed:
        showNotice(tr(kDefaultNotice), {});
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("The ROM image \"%1\" holds part of a step cut off by a crash, and taking it back "
                                 "with its rollback journal \"%2\" failed:\n%3\n\nOpen the image again to retry.")
                                  .arg(image, journal, found.reason));
        break;
    }
}

void MainWindow::showNotice(const QString& text, const QString& details)
{
    m_notice->setText(text);
    m_notice->setToolTip(details);
}

bool MainWindow::refuseUnread()
{
    const IoResult unread = m_session.rom().takeReadFailure();
    if (unread.ok())
        return true;
    // Zeros in place of the name or the check word say nothing about the
    // image: it is not taken, and the program does not end over it.
    reportReadFailure(this, unread, tr("It was not opened."));
    m_session.rom().close();
    enterNotLoadedState();
    return false;
}

void MainWindow::LoadIName() { m_nameText->setText(internalname::read(m_session.rom())); }

IoResult MainWindow::SaveIName() { return internalname::write(m_session.rom(), m_nameText->text()); }

void MainWindow::LoadCopierType()
{
    m_copierType->setCurrentIndex(static_cast<int>(copier::detect(m_session.rom())));
    m_copierPicked = false;
}

bool MainWindow::CheckROM()
{
    const bool rightGame = romcheck::isRightGame(m_session.rom());
    if (!refuseUnread())
        return false;
    if (rightGame)
        return true;
    const QString refusal = tr("You must load the correct Zorvek ROM file.  Application will now close.");
    if (headerless::lacksCopierHeader(m_session.rom()))
        m_effects.explainMessage(this, MessageIcon::Critical, refusal,
                                 tr("This file is the game's ROM data without a copier header, which this editor "
                                    "cannot edit in place. File > Add Copier Header... makes a copy with a header "
                                    "that you can open and edit; this file stays as it is."));
    else
        m_effects.showMessage(this, MessageIcon::Critical, refusal);
    // Nothing more may reach this file.
    m_session.rom().close();
    showWriteState();
    endProgram(1);
    return false;
}

IoResult MainWindow::SaveHeader(bool* noticeDue)
{
    const int index = m_copierType->currentIndex();
    if (index < 0 || index >= static_cast<int>(zorvek::CopierType::NotLoaded))
        return IoResult::success();
    const auto type = static_cast<zorvek::CopierType>(index);
    // Index 0 also stands for a header of a form we do not know: a save made
    // only to rename must not wipe it.
    if (type == zorvek::CopierType::Undetected && !m_copierPicked)
        return IoResult::success();
    if (auto r = copier::write(m_session.rom(), type); !r.ok())
        return r;
    *noticeDue = type == zorvek::CopierType::Undetected;
    return IoResult::success();
}

void MainWindow::SaveROM()
{
    if (!isLoaded())
        return;
    if (!m_headerRead.ok()) {
        reportReadFailure(this, m_headerRead,
                          tr("Nothing was written: the name and the copier type shown are not the file's. "
                             "Open the image again to save."));
        return;
    }
    // A file replaced, or too short for the name, gets no stamp either.
    if (auto r = m_session.writes().check(internalname::kOffset, internalname::kLength); !r.ok()) {
        reportWriteFailure(this, r.error);
        return;
    }
    bool noticeDue = false;
    const CommandOutcome saved = m_session.writes().run(QStringLiteral("Save ROM"), CommandKind::Save, [&] {
        IoResult result = SaveQuenHeader(m_session.rom(), m_effects.now());
        if (result.ok())
            result = SaveIName();
        if (result.ok())
            result = SaveHeader(&noticeDue);
        return result;
    });
    if (!saved.ok()) {
        reportFailure(saved);
        return;
    }
    // Shown once the step is closed: while the box waits, a character
    // save's stamp may fall due, and it is a step of its own.
    if (noticeDue)
        m_effects.showMessage(this, MessageIcon::Information,
                              tr("With this setting the ROM may not work in a Super Wild Card or Super MagiCom "
                                 "copier machine to play.\r\nPlease use the Super Wild Card or Super MagiCom "
                                 "header if you wish to play this ROM in a copier machine."));
}

void MainWindow::mnuFixChecksum_Click()
{
    if (!isLoaded())
        return;
    const CommandOutcome fixed = m_session.writes().run(QStringLiteral("Fix checksum"), CommandKind::Other,
                                               [this] { return checksum::fix(m_session.rom()); });
    if (!fixed.ok())
        reportFailure(fixed);
}

void MainWindow::mnuUndo_Click() { replay(true); }
void MainWindow::mnuRedo_Click() { replay(false); }

void MainWindow::replay(bool back)
{
    if (!isLoaded())
        return;
    // A stamp still due belongs to a save that is being taken back, or
    // would end the way forward; it is dropped.
    m_session.pendingStamp().cancel();
    const ReplayOutcome outcome = back ? m_session.writes().undo() : m_session.writes().redo();
    if (outcome.result.ok())
        return;
    QString reason = outcome.result.error;
    if (outcome.historyDropped)
        reason += tr("\nThe file could not be put back as it was either, so nothing can be undone or redone any more.");
    // From an editor this window is hidden; the message goes over the editor.
    QWidget* parent = isVisible() || !QApplication::activeWindow() ? this : QApplication::activeWindow();
    reportWriteFailure(parent, reason);
}

void MainWindow::reloadTouched(const UndoStep& step)
{
    // The file changed under the name box and the copier list: they show it again.
    const bool name = step.touches(internalname::kOffset, internalname::kLength);
    const bool header = step.touches(copier::kWordAOffset, copier::kWordCOffset + 4);
    if (name)
        LoadIName();
    if (header)
        LoadCopierType();
    if (!name && !header)
        return;
    // Until read again, Save ROM would write the zeros of a failed read.
    m_headerRead = m_session.rom().takeReadFailure();
    if (!m_headerRead.ok())
        reportReadFailure(isVisible() || !QApplication::activeWindow() ? this : QApplication::activeWindow(),
                          m_headerRead, tr("The name and the copier type shown are not the file's; Save ROM "
                                           "writes nothing until the image is opened again."));
}

void MainWindow::mnuCreatePatch_Click()
{
    if (!isLoaded())
        return;
    const QFileInfo image(m_session.rom().path());
    const std::optional<QString> original = m_effects.chooseFileToOpen(
        this, tr("Unmodified Original Image"), originalImageFilters(), originalImageFilters().constFirst(),
        image.absolutePath());
    if (!original)
        return;
    const std::optional<SaveChoice> target = m_effects.chooseFileToSave(
        this, tr("Create Patch"), patches::saveFilters(), QString::fromLatin1(patches::kIpsFilter),
        image.absoluteDir().filePath(image.completeBaseName() + QStringLiteral(".ips")));
    if (!target)
        return;
    const QString shown = QDir::toNativeSeparators(target->path);
    // By the file, not the name: a link or another spelling still leads to the image.
    const bool replacesImage = isSameFile(target->path, m_session.rom().path());
    if (replacesImage || isSameFile(target->path, *original)) {
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              replacesImage
                                  ? tr("The patch \"%1\" was not written: it would replace the open ROM image.").arg(shown)
                                  : tr("The patch \"%1\" was not written: it would replace the original image \"%2\".")
                                        .arg(shown, QDir::toNativeSeparators(*original)));
        return;
    }
    const QByteArray romData = patches::romDataOf(m_session.rom());
    if (const IoResult unread = m_session.rom().takeReadFailure(); !unread.ok()) {
        reportReadFailure(this, unread, tr("The patch \"%1\" was not written.").arg(shown));
        return;
    }
    const IoResult made = patches::createPatchFile(*original, romData, target->path,
                                                   patches::formatFor(target->selectedFilter, target->path));
    if (!made.ok()) {
        m_effects.showMessage(this, MessageIcon::Exclamation, made.error);
        return;
    }
    m_effects.showMessage(this, MessageIcon::Information, tr("The patch \"%1\" was written.").arg(shown));
}

void MainWindow::mnuApplyPatch_Click()
{
    if (isLoaded())
        ApplyPatchDialog::start(m_session, m_effects, m_table ? &m_table->model() : nullptr, this);
}

void MainWindow::applyWriteOptions()
{
    m_session.writes().setOptions({m_backUp->isChecked(), m_fixChecksumOnSave->isChecked()});
}

void MainWindow::showWriteState()
{
    const bool loaded = isLoaded();
    m_undo->setEnabled(loaded && m_session.writes().canUndo());
    m_redo->setEnabled(loaded && m_session.writes().canRedo());
    m_undo->setText(menuText(tr("&Undo"), m_undo->isEnabled() ? m_session.writes().undoText() : QString()));
    m_redo->setText(menuText(tr("Re&do"), m_redo->isEnabled() ? m_session.writes().redoText() : QString()));
    m_createPatch->setEnabled(loaded);
    m_applyPatch->setEnabled(loaded);
    m_fixChecksum->setEnabled(loaded);
    if (!loaded) {
        m_checksum->clear();
        return;
    }
    const checksum::State state = checksum::readState(m_session.rom());
    const IoResult unread = m_session.rom().takeReadFailure();
    m_checksum->setText(QStringLiteral("Checksum: ")
                        + (unread.ok() ? checksum::stateText(state) : tr("not known (%1)").arg(unread.error)));
}

void MainWindow::ToolbarSave_Click()
{
    if (m_nameText->text() == QLatin1String(kNotLoadedText)) {
        m_effects.showMessage(this, MessageIcon::Critical, tr("You need to load your Zorvek ROM to continue."));
        return;
    }
    SaveROM();
}

void MainWindow::mnuClose_Click()
{
    if (!settleMonsterTable())
        return;
    closeImage();
    showNotice(tr(kDefaultNotice), {});
    enterNotLoadedState();
}

bool MainWindow::settleMonsterTable() { return !m_table || m_table->settleUnsavedChanges(); }

void MainWindow::closeImage()
{
    m_watcher->stop();
    m_reopenDue = false;
    if (const CommandOutcome r = m_session.close(); !r.ok())
        reportFailure(r);
    m_headerRead = IoResult::success();
    // The table shows one image; its changes were settled before.
    if (m_table)
        m_table->closeForGoodImage();
}

void MainWindow::enterLoadedState()
{
    m_nameText->setEnabled(true);
    m_changeName->setEnabled(true);
    m_save->setEnabled(true);
    m_toolbar2->setEnabled(true);
    m_monsterTable->setEnabled(true);
    m_monsters->setEnabled(true);
    m_characters->setEnabled(true);
    m_play->setEnabled(true);
    m_copierType->setEnabled(true);
    showWriteState();
    showOpenFile();
}

void MainWindow::enterNotLoadedState()
{
    m_nameText->setText(QString::fromLatin1(kNotLoadedText));
    m_nameText->setEnabled(false);
    m_changeName->setEnabled(false);
    m_save->setEnabled(false);
    m_toolbar2->setEnabled(false);
    m_monsterTable->setEnabled(false);
    m_monsters->setEnabled(false);
    m_characters->setEnabled(false);
    m_play->setEnabled(false);
    m_copierType->setEnabled(false);
    m_copierType->setCurrentIndex(static_cast<int>(zorvek::CopierType::Undetected));
    showWriteState();
    showOpenFile();
}

void MainWindow::showOpenFile()
{
    const QString path = isLoaded() ? m_session.rom().path() : QString();
    setWindowFilePath(path);
    const QString title = QString::fromLatin1(kAppTitle);
    setWindowTitle(path.isEmpty() ? title : QFileInfo(path).fileName() + QStringLiteral(" \u2014 ") + title);
}

void MainWindow::mnuQuit_Click()
{
    if (m_quitting || !settleMonsterTable())
        return;
    closeImage();
    endProgram(0);
}

void MainWindow::endProgram(int exitCode)
{
    // Ending closes every window, this one too; its close box must not
    // start a second, different ending.
    m_quitting = true;
    m_effects.endProgram(exitCode);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_quitting && !settleMonsterTable()) {
        event->ignore();
        return;
    }
    mnuQuit_Click();
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedImage(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    const QString path = droppedImage(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openImage(path);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_nameText) {
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!droppedImage(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
        } else if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!droppedImage(drop->mimeData()).isEmpty()) {
                dropEvent(drop);
                return true;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::mnuReadme_Click()
{
    const QString readme = docs::readmePath(m_effects.programFolder());
    if (readme.isEmpty() || !m_effects.openUrl(QUrl::fromLocalFile(readme)))
        m_effects.showMessage(this, MessageIcon::Exclamation,
                              tr("You must be connected to the internet in order to read the readme online.\r\n"
                                 "Please feel free to read the readme packaged with this editor."));
}

void MainWindow::mnuURL_Click()
{
    if (const QUrl page = docs::homePage(m_effects.programFolder()); page.isValid())
        m_effects.openUrl(page);
}

void MainWindow::mnuAbout_Click()
{
    auto* about = new AboutDialog(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    // Modal for the user without a nested event loop.
    about->setWindowModality(Qt::ApplicationModal);
    about->show();
}

void MainWindow::ChangeROMNameCMD_Click() { m_defaultMenu->popup(QCursor::pos()); }

void MainWindow::openMonsterEditor()
{
    if (!isLoaded())
        return;
    if (!m_monsterEditor) {
        m_monsterEditor = new MonsterEditor(m_session, m_effects, m_nameText->text());
        connect(m_monsterEditor, &MonsterEditor::closed, this, &MainWindow::showAgain);
    }
    showEditor(m_monsterEditor);
}

void MainWindow::openCharacterEditor()
{
    if (!isLoaded())
        return;
    if (!m_characterEditor) {
        m_characterEditor = new CharacterEditor(m_session, m_effects, m_nameText->text());
        connect(m_characterEditor, &CharacterEditor::closed, this, &MainWindow::showAgain);
    }
    showEditor(m_characterEditor);
}

void MainWindow::openMonsterTable()
{
    if (!isLoaded())
        return;
    if (!m_table) {
        m_table = new MonsterTableWindow(m_session, m_effects, m_nameText->text());
        m_table->offerUndo(m_undo, m_redo);
        m_table->addAction(m_play);
        connect(m_table, &MonsterTableWindow::recordsWritten, this, [this](const UndoStep& step) {
            if (m_monsterEditor)
                m_monsterEditor->reloadIfTouched(step);
        });
    }
    // Beside the main window, not in its place: the table lives alongside.
    if (!m_table->isVisible())
        m_table->placeBeside(this);
    m_table->show();
    m_table->raise();
    m_table->activateWindow();
}

void MainWindow::showEditor(QWidget* editor)
{
    // The editor hides this window, yet its saves are undone by the same keys
    // there; a focused text box still claims them for its own undo first.
    editor->addActions({m_undo, m_redo});
    // The caption the editor builds stays; the path is there for the desktop.
    editor->setWindowFilePath(m_session.rom().path());
    hide();
    editor->show();
    editor->raise();
    editor->activateWindow();
}

void MainWindow::mnuPlay_Click()
{
    if (!isLoaded())
        return;
    if (!emulator::resolve(AppSettings().emulatorCommand(), {})) {
        m_launcher->chooseEmulator(this, m_session.rom().path(), [this] { mnuPlay_Click(); });
        return;
    }
    std::vector<table::monstertable::RecordSave> unsaved;
    if (m_table) {
        MonsterTableModel::Saves saves = m_table->model().saves();
        if (!saves.refusal.isEmpty()) {
            m_effects.showMessage(this, MessageIcon::Exclamation, saves.refusal + tr("\nNothing was started."));
            return;
        }
        unsaved = std::move(saves.records);
    }
    if (const QString said = m_launcher->play(this, m_session, unsaved); !said.isEmpty())
        showNotice(said, QDir::toNativeSeparators(m_launcher->copyPathFor(m_session.rom().path())));
}

void MainWindow::mnuEmulator_Click() { m_launcher->chooseEmulator(this, isLoaded() ? m_session.rom().path() : QString()); }

void MainWindow::imageChangedOutside(bool removed)
{
    const QString path = m_session.rom().path();
    const QString shown = QDir::toNativeSeparators(path);
    const QString saves = tr("Saves write nothing into it until it is opened again.");
    if (removed) {
        showNotice(tr("Another program removed or renamed the image."), tr("\"%1\" is gone. %2").arg(shown, saves));
        return;
    }
    showNotice(tr("Another program changed the image."), tr("\"%1\" was changed or replaced. %2").arg(shown, saves));
    // An editor open in this window's place keeps its own values: the offer
    // waits for the editor to close.
    m_reopenDue = !isVisible();
    if (!m_reopenDue)
        offerReopen();
}

void MainWindow::offerReopen()
{
    const QString path = m_session.rom().path();
    const QString shown = QDir::toNativeSeparators(path);
    if (m_effects.askYesNo(this, tr("Another program changed or replaced the ROM image \"%1\".\n\nOpen it again "
                                    "to see what it holds now?").arg(shown)))
        openImage(path);
}

} // namespace zorvek::ui
