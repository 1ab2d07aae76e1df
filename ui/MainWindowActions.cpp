// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainWindow.h"

#include "core/program/AppSettings.h"
#include "data/Artwork.h"
#include "ui/widgets/LimitedLineEdit.h"
#include "ui/widgets/RecentImagesMenu.h"

#include <QAction>
#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QToolBar>

namespace zorvek::ui {

namespace {

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

} // namespace

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
    connect(m_defaultName, &QAction::triggered, this,
            [this] { m_nameText->setText(QStringLiteral("KELVARNTHOSIA 5")); });
    connect(m_zorvekName, &QAction::triggered, this,
            [this] { m_nameText->setText(QStringLiteral("Kelvarnthosia 5")); });
    connect(m_zorvanName, &QAction::triggered, this,
            [this] { m_nameText->setText(QStringLiteral("Kelvarnthosia V")); });
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
    auto addButtons = [](QToolBar* bar, std::initializer_list<Button> buttons) {
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
    addButtons(m_toolbar1,
               {{"Open", "Displays Open File dialog box."},
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

void MainWindow::ChangeROMNameCMD_Click() { m_defaultMenu->popup(QCursor::pos()); }

} // namespace zorvek::ui
