// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/RomImage.h"
#include "core/image/UndoHistory.h"
#include "core/monsters/MonsterSave.h"

#include <QHash>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;

namespace zorvek {
class ImageSession;
}

namespace zorvek::ui {

class AttackAnimationImages;
class SideEffects;
class LimitedLineEdit;
class StatusTimer;

// The monster editor, Form2: one record of the monster table at a time. The
// controls are the only copy of the shown record; nothing reaches the file
// before Save.
class MonsterEditor : public QWidget {
    Q_OBJECT
public:
    // romName: the internal name as the main window shows it, for the caption.
    MonsterEditor(ImageSession& session, SideEffects& effects, const QString& romName, QWidget* parent = nullptr);

    // An undo or redo changed the shown record under the controls.
    void reloadIfTouched(const UndoStep& step);
    // The monster table saved these records.
    void reloadIfAmong(const QList<int>& records);

signals:
    // Cancel or the close box: whoever opened the editor takes over again.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The lock label's caption for the state.
    static QString lockCaption(bool locked);

    void createControls();
    void createFlagControls();
    // MonsterEditorControls.cpp: the remaining controls and the layout.
    void createNumberBoxes();
    void createAttackControls();
    void createCommandControls();
    void createLayout();
    QWidget* createStatsFrame();
    QWidget* createFlagColumn();
    void connectControls();
    void installStatusHelp();

    void Form_Load(const QString& romName);
    void LoadMNames();
    void LoadMStats();
    void LoadHideHP(uint8_t byte);
    void LoadAttackAni();

    void SaveCMD_Click();
    IoResult SaveQuenHeader();
    IoResult SaveMStats(int index, const monsters::MonsterValues& values);
    void CancelCMD_Click();
    void LockControlsCMD_Click();
    void Dump2TXT_Click();
    void AttackIndexTXT_Change();
    void specialBitToggled(uint8_t bit, bool checked);

    // Sets a box's text and runs its change rule even when the text is the
    // same, so every load passes every rule.
    void setFieldText(QLineEdit* box, const QString& text);
    void showStatus(const QString& text, double seconds);
    QString selectedName() const;
    // What a failed load of the shown record means for Save.
    QString unreadConsequence() const;

    ImageSession& m_session;
    SideEffects& m_effects;
    // The shown record's last load; a failed read keeps Save from writing its zeros.
    IoResult m_loadFailure;
    StatusTimer* m_status = nullptr;
    AttackAnimationImages* m_pictures = nullptr;
    QHash<QObject*, std::function<void()>> m_changeRules;
    QHash<QObject*, QString> m_helpTexts;

    QListWidget* m_monsterList = nullptr;
    QLabel* m_recordBase = nullptr;
    QTabBar* m_tabs = nullptr;
    QGroupBox* m_statsFrame = nullptr;
    QHash<QString, QLabel*> m_labels;
    // The control of each record field, in the fields' order.
    std::array<QWidget*, monsters::kFieldCount> m_fieldControls{};

    LimitedLineEdit* m_nameIndex = nullptr;
    LimitedLineEdit* m_level = nullptr;
    LimitedLineEdit* m_hp = nullptr;
    LimitedLineEdit* m_mp = nullptr;
    LimitedLineEdit* m_exp = nullptr;
    LimitedLineEdit* m_gil = nullptr;
    LimitedLineEdit* m_str = nullptr;
    LimitedLineEdit* m_agi = nullptr;
    LimitedLineEdit* m_def = nullptr;
    LimitedLineEdit* m_evade = nullptr;
    LimitedLineEdit* m_magicPower = nullptr;
    LimitedLineEdit* m_unknown = nullptr;
    LimitedLineEdit* m_attackText = nullptr;

    QListWidget* m_weak = nullptr;
    QListWidget* m_statusConditions = nullptr;
    QListWidget* m_spAttrib = nullptr;
    QCheckBox* m_hideHp = nullptr;
    QCheckBox* m_unknown1 = nullptr;
    QCheckBox* m_unknown2 = nullptr;
    QLabel* m_spBit = nullptr;

    QComboBox* m_attackCombo = nullptr;
    QLabel* m_attackPicture = nullptr;
    QLabel* m_picture1 = nullptr;

    QPushButton* m_dump = nullptr;
    QPushButton* m_lock = nullptr;
    QLabel* m_lockLabel = nullptr;
    // Whether the editing controls are locked; the label only shows it.
    bool m_locked = false;
    QLabel* m_info = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace zorvek::ui
