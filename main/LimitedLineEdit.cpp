#include "main/LimitedLineEdit.h"

#include "main/KeyFilter.h"

#include <QKeyEvent>
#include <QValidator>

namespace zorvek {

namespace {

// Runs on user edits (typing, pasting, dropping); setText bypasses the undo
// that an invalid result triggers, so program text is never cut.
class InputValidator final : public QValidator {
public:
    explicit InputValidator(const LimitedLineEdit* edit) : QValidator(const_cast<LimitedLineEdit*>(edit)), m_edit(edit) {}
    void setNumeric(bool numeric) { m_numeric = numeric; }

    State validate(QString& input, int&) const override
    {
        if (input.size() > m_edit->inputLimit())
            return Invalid;
        if (m_numeric && !keyfilter::isNumericText(input))
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
}

void LimitedLineEdit::setInputLimit(int maxCharacters) { m_limit = maxCharacters; }

void LimitedLineEdit::setCharacters(Characters characters)
{
    m_characters = characters;
    static_cast<InputValidator*>(const_cast<QValidator*>(validator()))->setNumeric(characters == Characters::Numeric);
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
