#pragma once

#include "main/CopierHeader.h"
#include "main/ImageWriteSession.h"
#include "main/RollbackJournal.h"
#include "main/RomImage.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QMenu;
class QPushButton;
class QToolBar;

namespace zorvek {

class About;
class Form2;
class Form3;
class LimitedLineEdit;
class PendingStamp;
class SideEffects;

// The main window: owns the one open ROM image that every window shares.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(SideEffects& effects, QWidget* parent = nullptr);
    ~Form1() override;

    RomImage& rom() { return m_rom; }
    // Every window's writes to the open image go through here.
    ImageWriteSession& writes() { return *m_writes; }
    SideEffects& effects() { return m_effects; }
    PendingStamp& pendingStamp() { return *m_pendingStamp; }
    // The text of InternalROMNameTXT; editors use it in their captions.
    QString internalRomNameText() const;
    bool isLoaded() const;
    // The path chosen in the open dialog, as the stats dump names it.
    QString romPath() const { return m_rom.path(); }

    // Editors hand control back here when they close.
    void showAgain();
    Form2* monsterEditor() const;
    Form3* characterEditor() const;

    // Reports a failed write with the file and the system's reason.
    void reportWriteFailure(QWidget* parent, const QString& reason);
    // The same, or for a backup that failed, how to save without one.
    void reportFailure(QWidget* parent, const CommandOutcome& outcome);

    // Commands, callable from menus, toolbars and tests alike.
    void LoadROM();
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
    void mnuUndo_Click();
    void mnuRedo_Click();
    void mnuCreatePatch_Click();
    void mnuFixChecksum_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createCentralArea();

    void LoadIName();
    // Says what opening did with a journal left by a crash.
    void showRecovery(const rollback::Recovery& found);
    void showNotice(const QString& text, const QString& details);
    IoResult SaveIName();
    void CopierType();
    bool CheckROM();
    IoResult SaveHeader();
    void enterLoadedState();
    void enterNotLoadedState();
    void closeImage();
    void showEditor(QWidget* editor);
    void endProgram(int exitCode);
    void replay(bool back);
    void reloadTouched(const JournalStep& step);
    void showWriteState();
    void applyWriteOptions();

    SideEffects& m_effects;
    RomImage m_rom;
    ImageWriteSession* m_writes = nullptr;
    PendingStamp* m_pendingStamp = nullptr;
    bool m_quitting = false;
    // Whether the copier type was picked by hand since the image was opened.
    bool m_copierPicked = false;

    QMenu* m_fileMenu = nullptr;
    QMenu* m_stuffMenu = nullptr;
    QMenu* m_defaultMenu = nullptr;
    QAction* m_open = nullptr;
    QAction* m_close = nullptr;
    QAction* m_save = nullptr;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    QAction* m_createPatch = nullptr;
    QAction* m_quit = nullptr;
    QAction* m_help = nullptr;
    QAction* m_readme = nullptr;
    QAction* m_url = nullptr;
    QAction* m_backUp = nullptr;
    QAction* m_fixChecksum = nullptr;
    QAction* m_fixChecksumOnSave = nullptr;
    QAction* m_about = nullptr;
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

    QPointer<Form2> m_form2;
    QPointer<Form3> m_form3;
};

} // namespace zorvek
