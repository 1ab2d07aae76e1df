// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QClipboard>
#include <QLineEdit>

namespace zorvek::ui {

// A text box whose length limit and character filter hold for what the user
// types, pastes or drops, whatever the box held before. Text set by the
// program is never cut: QLineEdit::setMaxLength would cut it, and a validator
// would judge it too and then stop undoing rejected edits after it.
class LimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    enum class Characters { Any, Numeric };

    explicit LimitedLineEdit(QWidget* parent = nullptr);

    void setInputLimit(int maxCharacters);
    int inputLimit() const { return m_limit; }
    void setCharacters(Characters characters);
    // Sets a text that a change rule puts in place of the shown one. When it
    // stands in for an emptied box it is selected, so the digits typed next
    // replace it instead of following it ("0" then 4, 5 would read "04" and
    // lose the 5 to the length limit).
    void setCorrectedText(const QString& text);

    // Pastes the clipboard (or the mouse selection) as the user's own input.
    void pasteChecked(QClipboard::Mode mode = QClipboard::Clipboard);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // The part of an insertion that may go in when `replaced` characters
    // make way for it: empty when the filter refuses it or no room is left,
    // else cut to the room left.
    QString admitted(const QString& insertion, qsizetype replaced) const;
    // Inserts at the cursor, over the selection; false when nothing went in.
    bool insertChecked(const QString& insertion);
    bool breaksRules(const QString& before, const QString& after) const;
    void revertBrokenEdit();

    int m_limit = 32767;
    Characters m_characters = Characters::Any;
    QString m_lastText; // the text before the edit in progress
};

} // namespace zorvek::ui
