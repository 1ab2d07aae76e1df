// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/SideEffects.h"

#include <QDir>
#include <QProcess>
#include <QSettings>

#include <cstdio>

namespace zorvek::demo {

// Unattended runs draw offscreen unless told otherwise; call before the
// application object exists.
inline void useOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// Unattended runs open images too; the folder they remember must not become
// the user's.
inline void useScratchSettings()
{
    QSettings::setDefaultFormat(QSettings::IniFormat);
    const QString folder = QDir::tempPath() + QStringLiteral("/zorvek-unattended");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

// The seam for unattended runs (benchmarks, window pictures): the open
// dialog answers with a fixed image and messages are counted, not shown.
class ScriptedSideEffects final : public ui::SideEffects {
public:
    QString imagePath;
    QString folder = QDir::tempPath();
    int messageCount = 0;

    void showMessage(QWidget*, ui::MessageIcon, const QString& text) override
    {
        ++messageCount;
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
    }
    std::optional<QString> chooseFileToOpen(QWidget*, const QString&, const QStringList&, const QString&,
                                            const QString&) override
    {
        return imagePath;
    }
    std::optional<ui::SaveChoice> chooseFileToSave(QWidget*, const QString&, const QStringList&, const QString&,
                                                   const QString&) override
    {
        return std::nullopt;
    }
    // Unattended runs never keep unsaved changes.
    ui::SaveAnswer askToSave(QWidget*, const QString&) override { return ui::SaveAnswer::Discard; }
    bool askYesNo(QWidget*, const QString&) override { return false; }
    // Returns once the program runs, so that a benchmark times its start.
    void startProgram(QProcess& process) override
    {
        process.start();
        process.waitForStarted();
    }
    bool openUrl(const QUrl&) override { return true; }
    QDateTime now() override { return QDateTime::currentDateTime(); }
    int millisecondsPerSecond() override { return 1000; }
    QString programFolder() override { return folder; }
    void endProgram(int) override { }
};

} // namespace zorvek::demo
