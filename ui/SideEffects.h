// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/Clock.h"

#include <QString>
#include <QTimer>
#include <QStringList>
#include <QUrl>

#include <optional>

class QProcess;
class QWidget;

namespace zorvek::ui {

enum class MessageIcon { Critical, Exclamation, Information };

// The answer to "save the changes first?".
enum class SaveAnswer { Save, Discard, Cancel };

// A file chosen to be written, and the filter shown when it was chosen.
struct SaveChoice {
    QString path;
    QString selectedFilter;
};

// Every effect that tests must see or stop goes through here; production
// uses the real dialogs, browser, clock and application exit.
class SideEffects : public Clock {
public:
    // A modal message box titled with the application title and an OK button.
    virtual void showMessage(QWidget* parent, MessageIcon icon, const QString& text) = 0;

    // The same box with a second, smaller text under the first: why, and
    // what the user can do instead.
    virtual void explainMessage(QWidget* parent, MessageIcon icon, const QString& text, const QString& informativeText)
    {
        showMessage(parent, icon, text + QStringLiteral("\n\n") + informativeText);
    }

    // The open-file dialog, titled title (empty: the system's title),
    // starting in startFolder (empty: the working folder); nullopt when the
    // user cancels.
    virtual std::optional<QString> chooseFileToOpen(QWidget* parent, const QString& title,
                                                    const QStringList& nameFilters, const QString& selectedFilter,
                                                    const QString& startFolder) = 0;

    // The same, letting the user pick several files at once. Fakes that
    // only answer chooseFileToOpen give one file a time.
    virtual std::optional<QStringList> chooseFilesToOpen(QWidget* parent, const QString& title,
                                                         const QStringList& nameFilters, const QString& selectedFilter,
                                                         const QString& startFolder)
    {
        const std::optional<QString> one = chooseFileToOpen(parent, title, nameFilters, selectedFilter, startFolder);
        return one ? std::optional<QStringList>(QStringList{*one}) : std::nullopt;
    }
    // The save-file dialog, proposing suggestedPath; it asks before
    // replacing a file. nullopt when the user cancels.
    virtual std::optional<SaveChoice> chooseFileToSave(QWidget* parent, const QString& title,
                                                       const QStringList& nameFilters, const QString& selectedFilter,
                                                       const QString& suggestedPath) = 0;

    // Asks whether to save unsaved changes before they would be lost: a
    // question box with Save, Discard and Cancel; closing it is Cancel.
    virtual SaveAnswer askToSave(QWidget* parent, const QString& text) = 0;

    // A question box with Yes and No; closing it is No.
    virtual bool askYesNo(QWidget* parent, const QString& text) = 0;

    // Starts the program the process is set up for, without waiting for it;
    // a failure to start comes as the process's errorOccurred.
    virtual void startProgram(QProcess& process) = 0;

    // False when the page could not be handed to a browser.
    virtual bool openUrl(const QUrl& url) = 0;

    // Folder of the program, where the stats dump goes.
    virtual QString programFolder() = 0;

    // Ends the whole program at once.
    virtual void endProgram(int exitCode) = 0;

    // Starts the timer of a status text's wait. Tests hold it instead and let
    // it run out when they move their clock on, so none waits in real time.
    virtual void startTimer(QTimer& timer, int milliseconds) { timer.start(milliseconds); }
};

} // namespace zorvek::ui
