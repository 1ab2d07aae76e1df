// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/LimitedLineEdit.h"

#include "ui/widgets/KeyFilter.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace zorvek::ui {

namespace {

qsizetype refusedCount(const QString& text)
{
    qsizetype count = 0;
    for (const QChar c : text)
        if (!keyfilter::acceptsTypedCharacter(c) || c.unicode() == 8)
            ++count;
    return count;
}

} // namespace

LimitedLineEdit::LimitedLineEdit(QWidget* parent) : QLineEdit(parent)
{
    // text(), not the signal's argument: after a reverted edit Qt still
    // reports the refused text once more.
    connect(this, &QLineEdit::textChanged, this, [this] { m_lastText = text(); });
    connect(this, &QLineEdit::textEdited, this, &LimitedLineEdit::revertBrokenEdit);
}

void LimitedLineEdit::setInputLimit(int maxCharacters) { m_limit = maxCharacters; }

void LimitedLineEdit::setCharacters(Characters characters) { m_characters = characters; }

void LimitedLineEdit::setCorrectedText(const QString& text)
{
    const bool wasEmpty = this->text().isEmpty();
    setText(text);
    if (wasEmpty)
        selectAll();
}

QString LimitedLineEdit::admitted(const QString& insertion, qsizetype replaced) const
{
    // Stripping refused characters could change the meaning ("-7" to "7").
    if (m_characters == Characters::Numeric && !keyfilter::isNumericText(insertion))
        return {};
    const qsizetype kept = qMax<qsizetype>(0, text().size() - replaced);
    return insertion.left(qMax<qsizetype>(0, m_limit - kept));
}

bool LimitedLineEdit::insertChecked(const QString& insertion)
{
    if (isReadOnly() || insertion.isEmpty())
        return false;
    const QString fitting = admitted(insertion, selectedText().size());
    if (fitting.size() < insertion.size())
        QApplication::beep();
    if (fitting.isEmpty())
        return false;
    insert(fitting);
    return true;
}

void LimitedLineEdit::pasteChecked(QClipboard::Mode mode) { insertChecked(QGuiApplication::clipboard()->text(mode)); }

// An edit is judged by what it adds, so a program-set text that is already
// too long, or holds a minus sign, can still be shortened.
bool LimitedLineEdit::breaksRules(const QString& before, const QString& after) const
{
    if (after.size() > m_limit && after.size() > before.size())
        return true;
    return m_characters == Characters::Numeric && refusedCount(after) > refusedCount(before);
}

// Catches a way of inserting that the handlers below do not route.
void LimitedLineEdit::revertBrokenEdit()
{
    if (!breaksRules(m_lastText, text()))
        return;
    QApplication::beep();
    setText(m_lastText);
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Paste)) {
        // Ctrl+Shift+Insert is the selection's paste where there is one.
        const bool selection = event->key() == Qt::Key_Insert
            && event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier)
            && QGuiApplication::clipboard()->supportsSelection();
        pasteChecked(selection ? QClipboard::Selection : QClipboard::Clipboard);
        event->accept();
        return;
    }
    const QString typed = event->text();
    const bool isCharacter =
        !typed.isEmpty() && typed[0].isPrint() && !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    // A typed key goes in whole or not at all, without a sound.
    if (isCharacter && !isReadOnly() && admitted(typed, selectedText().size()) != typed) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu* menu = createStandardContextMenu();
    // The standard Paste, known by its own (translated) caption, gives way to
    // one that checks; the other actions stay as they are.
    const QList<QAction*> actions = menu->actions();
    for (QAction* standard : actions) {
        if (standard->text().section(QLatin1Char('\t'), 0, 0) != QLineEdit::tr("&Paste"))
            continue;
        auto* paste = new QAction(standard->icon(), standard->text(), menu);
        paste->setEnabled(standard->isEnabled());
        connect(paste, &QAction::triggered, this, [this] { pasteChecked(); });
        menu->insertAction(standard, paste);
        delete standard;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void LimitedLineEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The X11 selection paste of a middle click.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly()) {
            deselect();
            pasteChecked(QClipboard::Selection);
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

// A drag is taken or refused on entering as on moving.
void LimitedLineEdit::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void LimitedLineEdit::dragMoveEvent(QDragMoveEvent* event)
{
    // A drop goes in at the drop point without replacing the selection.
    if (isReadOnly() || admitted(event->mimeData()->text(), 0).isEmpty()) {
        event->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(event);
}

void LimitedLineEdit::dropEvent(QDropEvent* event)
{
    const QString dropped = event->mimeData()->text();
    if (isReadOnly() || admitted(dropped, 0).isEmpty()) {
        if (!isReadOnly() && !dropped.isEmpty())
            QApplication::beep();
        event->ignore();
        return;
    }
    setCursorPosition(cursorPositionAt(event->position().toPoint()));
    insertChecked(dropped);
    event->acceptProposedAction();
    // The drop point's cursor goes as when a drag leaves.
    QDragLeaveEvent leave;
    QLineEdit::dragLeaveEvent(&leave);
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent* event)
{
    if (isReadOnly() || event->commitString().isEmpty()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    const qsizetype replaced = selectedText().size() + event->replacementLength();
    QInputMethodEvent checked(event->preeditString(), event->attributes());
    checked.setCommitString(admitted(event->commitString(), replaced), event->replacementStart(),
                            event->replacementLength());
    QLineEdit::inputMethodEvent(&checked);
    event->accept();
}

} // namespace zorvek::ui
