// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/UndoHistory.h"

#include <QHash>
#include <QMainWindow>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QTableView;

namespace zorvek {
class ImageSession;
}

namespace zorvek::ui {

class MonsterCellDelegate;
class MonsterTableFilter;
class MonsterTableModel;
class SideEffects;
class StatusTimer;

// The monster table: every monster record of the open image in one grid,
// edited with the monster window's rules and saved with its writes, all
// changed monsters as one step.
class MonsterTableWindow : public QMainWindow {
    Q_OBJECT
public:
    // romName: the internal name as the main window shows it, for the caption.
    MonsterTableWindow(ImageSession& session, SideEffects& effects, const QString& romName, QWidget* parent = nullptr);
    // Puts the main window's Undo and Redo in the File menu and on their keys.
    void offerUndo(QAction* undo, QAction* redo);
    // Beside the other window, on its screen, where there is room.
    void placeBeside(const QWidget* other);

    MonsterTableModel& model() { return *m_model; }
    bool hasUnsavedChanges() const;
    // Before the image goes away: asks Save, Discard or Cancel when there
    // are unsaved changes. False when they stay (Cancel, or a failed save).
    bool settleUnsavedChanges();
    // The image is gone: the window closes without asking again.
    void closeForGoodImage();

    void save();
    void revert();
    void compareWith();
    void copySelection();
    void pasteClipboard();
    void restoreOriginalValues();

signals:
    // After a save: the monster editor shows a record it touched again.
    void recordsWritten(const zorvek::UndoStep& step);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createViews();
    void createActions();
    void createStatusArea();
    void reload();
    void showCounts();
    void showOriginalPath();
    bool loadOriginal(const QString& path, bool quietly);
    void groupsChanged();
    // The image up to the end of the monster table: all that a table save
    // writes to, besides the stamp; empty when it cannot be read whole.
    // Empty when the image is too short or a read failed (then readFailure says why).
    QByteArray imageThroughTable(QString* readFailure);
    void applyHiddenColumns();
    void showMessage(const QString& text);
    void showStatus(const QString& text);
    QList<int> visibleColumns() const;
    void showCellMenu(const QPoint& at);
    void commitOpenEditor();

    ImageSession& m_session;
    SideEffects& m_effects;
    QMenu* m_fileMenu = nullptr;
    QAction* m_undoSeparator = nullptr;
    MonsterTableModel* m_model = nullptr;
    MonsterTableFilter* m_filter = nullptr;
    MonsterCellDelegate* m_delegate = nullptr;
    StatusTimer* m_statusTimer = nullptr;
    QTableView* m_view = nullptr;
    QTableView* m_frozen = nullptr;
    QLineEdit* m_filterText = nullptr;
    QCheckBox* m_changedOnly = nullptr;
    QLabel* m_count = nullptr;
    QLabel* m_originalLabel = nullptr;
    QLabel* m_info = nullptr;
    QAction* m_save = nullptr;
    QAction* m_revert = nullptr;
    QAction* m_compare = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_restore = nullptr;
    QAction* m_changedOnlyAction = nullptr;
    QList<QAction*> m_groupActions;
    QString m_originalPath;
    bool m_closingForGood = false;
    // A save's own writes are not followed one by one: a save that fails and
    // is taken back must not leave its edits looking saved.
    bool m_saving = false;
};

} // namespace zorvek::ui
