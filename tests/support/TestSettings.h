// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QString>

namespace zorvek::test {

// Settings, ours and those of Qt's own dialogs, go to a folder of this run,
// never to the user's; stamps and dumps follow a pinned locale so expected
// texts are stable. Called before the application object exists.
inline void isolateSettings(const QString& folder)
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setDefaultFormat(QSettings::IniFormat);
    for (auto format : {QSettings::NativeFormat, QSettings::IniFormat})
        for (auto scope : {QSettings::UserScope, QSettings::SystemScope})
            QSettings::setPath(format, scope, folder);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

} // namespace zorvek::test
