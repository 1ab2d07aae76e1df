// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "patches/PatchPreview.h"

#include <QDialog>

#include <map>
#include <set>

class QDialogButtonBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace zorvek {
class ImageSession;
}

namespace zorvek::ui {

class MonsterTableModel;
class SideEffects;

// Shows what IPS, BPS and UPS patches would change in the open image, by
// record and field, and applies them, in the order listed, as one step.
class ApplyPatchDialog : public QDialog {
    Q_OBJECT
public:
    // unsavedMonsters: records the monster table holds unsaved edits of.
    ApplyPatchDialog(ImageSession& session, SideEffects& effects, const QStringList& patchPaths,
                     std::set<int> unsavedMonsters, QWidget* parent);

    // Asks for the patches, then shows the dialog without waiting for it;
    // nothing when the file dialog is cancelled. table: the monster table, if open.
    static ApplyPatchDialog* start(ImageSession& session, SideEffects& effects, const MonsterTableModel* table,
                                   QWidget* parent);

    QString previewText() const;

private:
    void addPatches();
    void removePatch();
    void move(int by);
    void showPreview();
    void apply();
    std::vector<patches::PatchFile> files(QString* unread);
    QByteArray imageBytes(QString* unread);

    ImageSession& m_session;
    SideEffects& m_effects;
    std::set<int> m_unsavedMonsters;
    std::map<QString, patches::PatchFile> m_read;
    QListWidget* m_list = nullptr;
    QPlainTextEdit* m_preview = nullptr;
    QPushButton* m_up = nullptr;
    QPushButton* m_down = nullptr;
    QPushButton* m_remove = nullptr;
    QDialogButtonBox* m_buttons = nullptr;
    QPushButton* m_apply = nullptr;
};

} // namespace zorvek::ui
