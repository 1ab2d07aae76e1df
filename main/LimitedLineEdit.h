#pragma once

#include <QLineEdit>

namespace zorvek {

// A text box whose length limit and character filter hold for typing and
// pasting only. QLineEdit::setMaxLength would also cut text set by the
// program, which must always show in full.
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

    // The text before the edit in progress; edits are judged against it.
    const QString& acceptedText() const { return m_acceptedText; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_limit = 32767;
    Characters m_characters = Characters::Any;
    QString m_acceptedText;
};

} // namespace zorvek
