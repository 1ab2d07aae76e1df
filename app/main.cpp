// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CommandLine.h"
#include "core/image/DurableFiles.h"
#include "core/program/AppInfo.h"
#include "ui/FileOpenEventFilter.h"
#include "ui/MainWindow.h"
#include "ui/QtSideEffects.h"
#include "ui/widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    zorvek::durable::ignoreFileSizeSignal();
    // Decided before any window-system connection: a command runs headless.
    const zorvek::cli::Launch launch = zorvek::cli::decideLaunch(argc, argv);
    if (launch.kind == zorvek::cli::Launch::Command)
        return zorvek::cli::run(argc, argv);

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QString::fromLatin1(zorvek::kOrganisationName));
    QApplication::setApplicationName(QString::fromLatin1(zorvek::kAppTitle));
    // Wayland names the window by it, so the desktop finds the entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.quenmark.ZorvekMultiEditor"));
    // Windows hand over to each other by hiding; only Quit ends the program.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new zorvek::ui::DeferredIconStyle);

    zorvek::ui::QtSideEffects effects;
    zorvek::ui::MainWindow mainWindow(effects);
    mainWindow.show();
    zorvek::ui::FileOpenEventFilter fileOpenEvents(mainWindow);
    app.installEventFilter(&fileOpenEvents);
    // From inside the event loop, as a click on Open would: a refused image
    // ends the program the same way.
    if (launch.kind == zorvek::cli::Launch::WindowWithImage)
        QMetaObject::invokeMethod(
            &mainWindow,
            [&mainWindow, image = QFileInfo(launch.image).absoluteFilePath()] { mainWindow.openImage(image); },
            Qt::QueuedConnection);
    return QApplication::exec();
}
