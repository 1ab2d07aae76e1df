// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/characters/CharacterEntryRules.h"
#include "core/image/IoResult.h"

#include <QWidget>

#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class QPushButton;
class QScrollBar;
class QStackedLayout;
class QTabBar;

namespace zorvek {
class ImageSession;
}
namespace zorvek::characters {
struct CharacterEdits;
}

namespace zorvek::ui {

class ByteListBox;
class SideEffects;
class LimitedLineEdit;
class StatusTimer;

// The character editor, Form3: one of the four starting characters at a time, its
// stats on one tab, its equipment and battle commands on the other. The
// controls are the only copy of the shown slot between load and save.
class CharacterEditor : public QWidget {
    Q_OBJECT
public:
    // romName: the internal name as the main window shows it, for the caption.
    CharacterEditor(ImageSession& session, SideEffects& effects, const QString& romName, QWidget* parent = nullptr);

signals:
    // Cancel or the close box: whoever opened the editor takes over again.
    void closed();

public:
    void Scroll_Change(int value);
    void TabStrip1_Click(int index);
    void SaveCMD_Click();
    void SaveQuenHeader();
    void CancelCMD_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls();
    void createStatsFrame();
    void createEquipmentFrame();
    void createLayout();
    void connectControls();

    // rule: nullopt for a box without a change rule.
    LimitedLineEdit* numberBox(const char* name, int inputLimit, bool editable,
                               std::optional<characters::rules::Cap> rule,
                               const QString& designText = QStringLiteral("0"));
    // A label that names the control beside it for screen readers.
    QLabel* buddyLabel(const char* name, const QString& caption, QWidget* buddy);
    QLabel* label(const char* name, const QString& caption);

    void loadSlot(int slot);
    characters::CharacterEdits currentEdits() const;
    // What a failed load of a slot means for Save.
    static QString unreadConsequence(int slot);
    void showStatus(const QString& text);
    void clearStatus();

    ImageSession& m_session;
    SideEffects& m_effects;
    // The shown slot's last load; a failed read keeps Save from writing its zeros.
    IoResult m_loadFailure;
    StatusTimer* m_status = nullptr;

    QGroupBox* m_charIndexFrame = nullptr;
    QLabel* m_nameLabel = nullptr;
    LimitedLineEdit* m_charIndex = nullptr;
    QScrollBar* m_scroll = nullptr;
    QTabBar* m_tabs = nullptr;

    QGroupBox* m_statFrame = nullptr;
    QStackedLayout* m_frames = nullptr;
    LimitedLineEdit* m_level = nullptr;
    LimitedLineEdit* m_currentHp = nullptr;
    LimitedLineEdit* m_maximumHp = nullptr;
    LimitedLineEdit* m_currentMp = nullptr;
    LimitedLineEdit* m_maximumMp = nullptr;
    LimitedLineEdit* m_experience = nullptr;
    LimitedLineEdit* m_actor = nullptr;
    LimitedLineEdit* m_strength = nullptr;
    LimitedLineEdit* m_agility = nullptr;
    LimitedLineEdit* m_vitality = nullptr;
    LimitedLineEdit* m_magicPower = nullptr;

    QGroupBox* m_eqFrame = nullptr;
    ByteListBox* m_rightHand = nullptr;
    ByteListBox* m_leftHand = nullptr;
    ByteListBox* m_head = nullptr;
    ByteListBox* m_body = nullptr;
    ByteListBox* m_arms = nullptr;
    std::array<ByteListBox*, 4> m_commands{};
    LimitedLineEdit* m_equipBit = nullptr;

    QLabel* m_info = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace zorvek::ui
