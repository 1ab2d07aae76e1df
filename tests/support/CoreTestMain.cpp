// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSettings.h"

#include <QTemporaryDir>

#ifdef ZORVEK_TEST_GUI_APPLICATION
#include <QGuiApplication>
using TestApplication = QGuiApplication; // pictures, still without windows
#else
#include <QCoreApplication>
using TestApplication = QCoreApplication;
#endif

#include <gtest/gtest.h>

// The core's tests run without a window system: a core that needed one
// would fail to build or to run here.
int main(int argc, char** argv)
{
#ifdef ZORVEK_TEST_GUI_APPLICATION
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    const QTemporaryDir settingsDir;
    zorvek::test::isolateSettings(settingsDir.path());
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
