// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/SideEffects.h"

#include <QPointer>
#include <QProcess>

#include <algorithm>
#include <deque>
#include <functional>
#include <vector>

namespace zorvek::test {

// Records every side effect instead of showing or doing it.
class FakeSideEffects final : public ui::SideEffects {
public:
    struct Message {
        ui::MessageIcon icon;
        QString text;
    };

    std::vector<Message> messages;
    // The informative text under each message, empty where there is none.
    QStringList informativeTexts;
    // Answers for the open dialog, used in order; nullopt is a cancel.
    std::deque<std::optional<QString>> openAnswers;
    int openDialogCount = 0;
    QStringList lastFilters;
    QString lastSelectedFilter;
    QString lastStartFolder;
    QString lastTitle;
    // Answers for the save dialog, used in order; nullopt is a cancel.
    std::deque<std::optional<ui::SaveChoice>> saveAnswers;
    int saveDialogCount = 0;
    QString lastSuggestedPath;
    // Answers for the save question, used in order; when none is left, Cancel.
    std::deque<ui::SaveAnswer> saveQuestionAnswers;
    QStringList saveQuestions;
    // Answers for yes-or-no questions, used in order; when none is left, No.
    std::deque<bool> yesNoAnswers;
    QStringList yesNoQuestions;
    // Programs started, as program then arguments; they really start.
    std::vector<QStringList> startedPrograms;
    std::vector<QPointer<QProcess>> processes;
    std::vector<QUrl> openedUrls;
    bool openUrlSucceeds = true;
    QDateTime clock{QDate(2002, 12, 5), QTime(16, 37, 57)};
    // Status waits run a thousand times faster than real seconds.
    int msPerSecond = 1;
    QString folder;
    std::optional<int> endedWith;
    // Runs when a message box would show (e.g. to act while it is "open").
    std::function<void(const Message&)> onMessage;

    void showMessage(QWidget*, ui::MessageIcon icon, const QString& text) override
    {
        messages.push_back({icon, text});
        if (informativeTexts.size() < static_cast<qsizetype>(messages.size()))
            informativeTexts.append(QString());
        if (onMessage)
            onMessage(messages.back());
    }

    void explainMessage(QWidget* parent, ui::MessageIcon icon, const QString& text,
                        const QString& informativeText) override
    {
        informativeTexts.append(informativeText);
        showMessage(parent, icon, text);
    }

    std::optional<QString> chooseFileToOpen(QWidget*, const QString& title, const QStringList& nameFilters,
                                            const QString& selectedFilter, const QString& startFolder) override
    {
        ++openDialogCount;
        lastTitle = title;
        lastFilters = nameFilters;
        lastSelectedFilter = selectedFilter;
        lastStartFolder = startFolder;
        return next(openAnswers, std::nullopt);
    }

    std::optional<ui::SaveChoice> chooseFileToSave(QWidget*, const QString& title, const QStringList& nameFilters,
                                                   const QString& selectedFilter, const QString& suggestedPath) override
    {
        ++saveDialogCount;
        lastTitle = title;
        lastFilters = nameFilters;
        lastSelectedFilter = selectedFilter;
        lastSuggestedPath = suggestedPath;
        return next(saveAnswers, std::nullopt);
    }

    ui::SaveAnswer askToSave(QWidget*, const QString& text) override
    {
        saveQuestions.append(text);
        return next(saveQuestionAnswers, ui::SaveAnswer::Cancel);
    }

    bool askYesNo(QWidget*, const QString& text) override
    {
        yesNoQuestions.append(text);
        return next(yesNoAnswers, false);
    }

    void startProgram(QProcess& process) override
    {
        startedPrograms.push_back(QStringList{process.program()} + process.arguments());
        processes.emplace_back(&process);
        process.start();
    }

    bool openUrl(const QUrl& url) override
    {
        openedUrls.push_back(url);
        return openUrlSucceeds;
    }

    QDateTime now() override { return clock; }
    int millisecondsPerSecond() override { return msPerSecond; }
    QString programFolder() override { return folder; }
    void endProgram(int exitCode) override { endedWith = exitCode; }

    // With manual time, status waits are held until advance() moves the
    // clock past their end: no real waiting, and no margin to miss.
    void useManualTime()
    {
        manualTime = true;
        msPerSecond = 1000;
    }

    void startTimer(QTimer& timer, int milliseconds) override
    {
        if (!manualTime)
            return timer.start(milliseconds);
        std::erase_if(held, [&](const HeldTimer& h) { return h.timer == &timer; });
        held.push_back({&timer, elapsedMs + milliseconds});
    }

    void advance(double seconds)
    {
        elapsedMs += static_cast<qint64>(seconds * msPerSecond);
        std::stable_sort(held.begin(), held.end(), [](const auto& a, const auto& b) { return a.due < b.due; });
        while (!held.empty() && held.front().due <= elapsedMs) {
            const QPointer<QTimer> timer = held.front().timer;
            held.erase(held.begin());
            if (timer)
                QMetaObject::invokeMethod(timer, "timeout");
        }
    }

private:
    // The first answer left, used up; when none is left, the one given.
    template <typename T, typename U>
    static T next(std::deque<T>& answers, U&& none)
    {
        if (answers.empty())
            return T(std::forward<U>(none));
        T answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }

    struct HeldTimer {
        QPointer<QTimer> timer;
        qint64 due;
    };
    bool manualTime = false;
    qint64 elapsedMs = 0;
    std::vector<HeldTimer> held;
};

} // namespace zorvek::test
