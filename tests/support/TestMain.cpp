// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSettings.h"
#include "ui/widgets/DeferredIconStyle.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Windows are driven offscreen; a display is never needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir settingsDir;
    zorvek::test::isolateSettings(settingsDir.path());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // As the program runs its windows.
    QApplication::setStyle(new zorvek::ui::DeferredIconStyle);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
