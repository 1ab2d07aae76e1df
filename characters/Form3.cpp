#include "characters/Form3.h"

#include "main/Form1.h"

#include <QCloseEvent>

namespace zorvek {

Form3::Form3(Form1& mainWindow, QWidget* parent) : QWidget(parent), m_main(mainWindow)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Character Editor: ") + m_main.internalRomNameText());
}

void Form3::closeEvent(QCloseEvent* event)
{
    m_main.showAgain();
    event->accept();
}

} // namespace zorvek
