#include "cli/CommandLine.h"
#include "core/program/AppInfo.h"
#include "ui/MainWindow.h"
#include "ui/QtSideEffects.h"
#include "ui/widgets/DeferredIconStyle.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Decided before any window-system connection: a command runs headless.
    if (zorvek::cli::wantsCommandLine(argc, argv))
        return zorvek::cli::run(argc, argv);

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(zorvek::kOrganisationName));
    QApplication::setApplicationName(QString::fromLatin1(zorvek::kAppTitle));
    // Windows hand over to each other by hiding; only Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new zorvek::ui::DeferredIconStyle);

    zorvek::ui::QtSideEffects effects;
    zorvek::ui::MainWindow mainWindow(effects);
    mainWindow.show();
    return QApplication::exec();
}
