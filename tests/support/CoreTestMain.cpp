// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSettings.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// The core's tests run without a window system: a core that needed one
// would fail to build or to run here.
int main(int argc, char** argv)
{
    const QTemporaryDir settingsDir;
    zorvek::test::isolateSettings(settingsDir.path());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
