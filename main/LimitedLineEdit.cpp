#include "main/LimitedLineEdit.h"

#include "main/KeyFilter.h"

#include <QKeyEvent>
#include <QValidator>

namespace zorvek {

namespace {

int disallowedCount(const QString& text)
{
    int count = 0;
    for (const QChar c : text)
        if (!keyfilter::acceptsTypedCharacter(c) || c.unicode() == 8)
            ++count;
    return count;
}

// Runs on user edits (typing, pasting, dropping); setText bypasses the undo
// that an invalid result triggers, so program text is never cut. An edit is
// refused only for what it adds: a program-set text that is already too long,
// or holds a minus sign, can still be shortened.
class InputValidator final : public QValidator {
public:
    explicit InputValidator(LimitedLineEdit* edit) : QValidator(edit), m_edit(edit) {}
    void setNumeric(bool numeric) { m_numeric = numeric; }

    State validate(QString& input, int&) const override
    {
        const QString& before = m_edit->acceptedText();
        if (input.size() > m_edit->inputLimit() && input.size() > before.size())
            return Invalid;
        if (m_numeric && disallowedCount(input) > disallowedCount(before))
            return Invalid;
        return Acceptable;
    }

private:
    const LimitedLineEdit* m_edit;
    bool m_numeric = false;
};

} // namespace

LimitedLineEdit::LimitedLineEdit(QWidget* parent) : QLineEdit(parent)
{
    setValidator(new InputValidator(this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { m_acceptedText = text; });
}

void LimitedLineEdit::setInputLimit(int maxCharacters) { m_limit = maxCharacters; }

void LimitedLineEdit::setCharacters(Characters characters)
{
    m_characters = characters;
    static_cast<InputValidator*>(const_cast<QValidator*>(validator()))->setNumeric(characters == Characters::Numeric);
}

void LimitedLineEdit::setCorrectedText(const QString& text)
{
    const bool wasEmpty = this->text().isEmpty();
    setText(text);
    if (wasEmpty)
        selectAll();
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    const bool isCharacter = typed.size() == 1 && typed[0].isPrint()
        && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    if (isCharacter && !isReadOnly()) {
        if (m_characters == Characters::Numeric && !keyfilter::acceptsTypedCharacter(typed[0])) {
            event->accept();
            return;
        }
        // A program-set text may already be over the limit; typing must not grow it.
        const int remaining = text().size() - selectedText().size();
        if (remaining >= m_limit) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

} // namespace zorvek
