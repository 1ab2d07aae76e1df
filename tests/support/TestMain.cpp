#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Windows are driven offscreen; a display is never needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings, ours and those of Qt's own dialogs, go to a folder of this
    // run, never to the user's.
    QStandardPaths::setTestModeEnabled(true);
    const QTemporaryDir settingsDir;
    QSettings::setDefaultFormat(QSettings::IniFormat);
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, settingsDir.path());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // Stamps and dumps follow the locale; pin it so expected texts are stable.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
