// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/SideEffects.h"

namespace zorvek::ui {

class QtSideEffects final : public SideEffects {
public:
    void showMessage(QWidget* parent, MessageIcon icon, const QString& text) override;
    void explainMessage(QWidget* parent, MessageIcon icon, const QString& text,
                        const QString& informativeText) override;
    std::optional<QString> chooseFileToOpen(QWidget* parent, const QString& title, const QStringList& nameFilters,
                                            const QString& selectedFilter, const QString& startFolder) override;
    std::optional<QStringList> chooseFilesToOpen(QWidget* parent, const QString& title, const QStringList& nameFilters,
                                                 const QString& selectedFilter, const QString& startFolder) override;
    std::optional<SaveChoice> chooseFileToSave(QWidget* parent, const QString& title, const QStringList& nameFilters,
                                               const QString& selectedFilter, const QString& suggestedPath) override;
    SaveAnswer askToSave(QWidget* parent, const QString& text) override;
    bool askYesNo(QWidget* parent, const QString& text) override;
    void startProgram(QProcess& process) override;
    bool openUrl(const QUrl& url) override;
    QDateTime now() override;
    int millisecondsPerSecond() override;
    QString programFolder() override;
    void endProgram(int exitCode) override;
};

} // namespace zorvek::ui
