// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/ImageSession.h"
#include "core/image/RollbackJournal.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;

namespace zorvek::ui {

class AboutDialog;
class ImageWatcher;
class PlayLauncher;
class MonsterEditor;
class CharacterEditor;
class MonsterTableWindow;
class LimitedLineEdit;
class RecentImagesMenu;
class SideEffects;

// The main window, Form1: opens, names and saves the image and leads to the
// editors; owns the one open ROM image that every window shares.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(SideEffects& effects, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The open image every window works on.
    ImageSession& session() { return m_session; }
    bool isLoaded() const;

    // Editors hand control back here when they close.
    void showAgain();
    MonsterEditor* monsterEditor() const;
    CharacterEditor* characterEditor() const;
    MonsterTableWindow* monsterTable() const;

    // Commands, callable from menus, toolbars and tests alike.
    void LoadROM();
    // LoadROM without its dialog: for a file named on the command line,
    // dropped on the window or picked from Open Recent.
    void openImage(const QString& path);
    void mnuAddHeader_Click();
    void SaveROM();
    void mnuClose_Click();
    void mnuQuit_Click();
    void mnuReadme_Click();
    void mnuURL_Click();
    void mnuAbout_Click();
    void ToolbarSave_Click();
    void ChangeROMNameCMD_Click();
    void openMonsterEditor();
    void openCharacterEditor();
    void openMonsterTable();
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCreatePatch_Click();
    void mnuApplyPatch_Click();
    void mnuFixChecksum_Click();
    void mnuPlay_Click();
    void mnuEmulator_Click();
    PlayLauncher& playLauncher() { return *m_launcher; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    // The notice line's text while there is nothing else to say.
    static constexpr const char* kDefaultNotice = QT_TR_NOOP("Every save writes at once; Undo takes it back.");

    // MainWindowActions.cpp: actions, menus and toolbars.
    void createActions();
    void createMenus();
    void createToolBars();

    // MainWindowStates.cpp: the central area and the loaded and not-loaded states.
    void createCentralArea();
    void enterLoadedState();
    void enterNotLoadedState();
    // The title and file path name the open image.
    void showOpenFile();
    void showNotice(const QString& text, const QString& details);
    void showWriteState();
    void applyWriteOptions();

    // MainWindowOpening.cpp: opening, closing and ending.
    // Says what opening did with a journal left by a crash.
    void showRecovery(const rollback::Recovery& found);
    bool CheckROM();
    // Takes a failed read of the image being opened: says so, closes it and
    // returns false.
    bool refuseUnread();
    void openRecent(const QString& path);
    // False when the monster table keeps unsaved changes (the user cancelled).
    bool settleMonsterTable();
    void closeImage();
    void endProgram(int exitCode);
    void imageChangedOutside(bool removed);
    void offerReopen();

    // MainWindow.cpp: saving, undo and the editors.
    void LoadIName();
    IoResult SaveIName();
    void LoadCopierType();
    // Sets noticeDue when the copier warning is to follow the save.
    IoResult SaveHeader(bool* noticeDue);
    void showEditor(QWidget* editor);
    void replay(bool back);
    void reloadTouched(const UndoStep& step);

    void reportFailure(const CommandOutcome& outcome);
    void reportWriteFailure(QWidget* parent, const QString& reason);
    void reportReadFailure(QWidget* parent, const IoResult& failure, const QString& consequence);

    SideEffects& m_effects;
    ImageSession m_session;
    // Set by the loaded state, cleared by the not-loaded one: the name box
    // is not asked what it shows.
    bool m_loaded = false;
    bool m_quitting = false;
    // Whether the copier type was picked by hand since the image was opened.
    bool m_copierPicked = false;
    // A failed read of the name or the copier header after an undo or redo.
    IoResult m_headerRead;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_stuffMenu = nullptr;
    QMenu* m_defaultMenu = nullptr;
    QAction* m_open = nullptr;
    QAction* m_addHeader = nullptr;
    RecentImagesMenu* m_recent = nullptr;
    QAction* m_close = nullptr;
    QAction* m_save = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_createPatch = nullptr;
    QAction* m_applyPatch = nullptr;
    QAction* m_quit = nullptr;
    QAction* m_help = nullptr;
    QAction* m_readme = nullptr;
    QAction* m_url = nullptr;
    QAction* m_backUp = nullptr;
    QAction* m_fixChecksum = nullptr;
    QAction* m_fixChecksumOnSave = nullptr;
    QAction* m_about = nullptr;
    QAction* m_monsterTable = nullptr;
    QAction* m_monsters = nullptr;
    QAction* m_characters = nullptr;
    QAction* m_play = nullptr;
    QAction* m_emulator = nullptr;
    PlayLauncher* m_launcher = nullptr;
    ImageWatcher* m_watcher = nullptr;
    bool m_reopenDue = false;
    QAction* m_defaultName = nullptr;
    QAction* m_zorvekName = nullptr;
    QAction* m_zorvanName = nullptr;

    QToolBar* m_toolbar1 = nullptr;
    QToolBar* m_toolbar2 = nullptr;

    QGroupBox* m_frame1 = nullptr;
    LimitedLineEdit* m_nameText = nullptr;
    QPushButton* m_changeName = nullptr;
    QLabel* m_copierLabel = nullptr;
    QComboBox* m_copierType = nullptr;
    QLabel* m_checksum = nullptr;
    QLabel* m_notice = nullptr;

    QPointer<MonsterEditor> m_monsterEditor;
    QPointer<CharacterEditor> m_characterEditor;
    QPointer<MonsterTableWindow> m_table;
};

} // namespace zorvek::ui
