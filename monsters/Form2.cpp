#include "monsters/Form2.h"

#include "main/Form1.h"

#include <QCloseEvent>

namespace zorvek {

Form2::Form2(Form1& mainWindow, QWidget* parent) : QWidget(parent), m_main(mainWindow)
{
    setObjectName(QStringLiteral("Form2"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Monster Editor: ") + m_main.internalRomNameText());
}

void Form2::closeEvent(QCloseEvent* event)
{
    m_main.showAgain();
    event->accept();
}

} // namespace zorvek
