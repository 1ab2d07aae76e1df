// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtSideEffects.h"

#include "core/program/AppInfo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>

namespace zorvek::ui {

void QtSideEffects::showMessage(QWidget* parent, MessageIcon icon, const QString& text)
{
    explainMessage(parent, icon, text, {});
}

void QtSideEffects::explainMessage(QWidget* parent, MessageIcon icon, const QString& text,
                                   const QString& informativeText)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == MessageIcon::Critical)
        boxIcon = QMessageBox::Critical;
    else if (icon == MessageIcon::Exclamation)
        boxIcon = QMessageBox::Warning;
    QMessageBox box(boxIcon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok, parent);
    box.setInformativeText(informativeText);
    box.exec();
}

SaveAnswer QtSideEffects::askToSave(QWidget* parent, const QString& text)
{
    QMessageBox box(QMessageBox::Warning, QString::fromLatin1(kAppTitle), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveAnswer::Save;
    case QMessageBox::Discard:
        return SaveAnswer::Discard;
    default:
        return SaveAnswer::Cancel;
    }
}

bool QtSideEffects::askYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QString::fromLatin1(kAppTitle), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes)
        == QMessageBox::Yes;
}

void QtSideEffects::startProgram(QProcess& process) { process.start(); }

namespace {

// A caption "Name (patterns)" as the dialog's filter. "*.*" stands for every
// file, also one without an extension, but Qt's matcher would want a dot:
// the patterns that match go behind the caption, and the dialog shows only
// what comes before them, the caption as it is.
QString dialogFilter(const QString& caption)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\(([^()]*)\\)$"));
    const QRegularExpressionMatch match = trailingPatterns.match(caption);
    QStringList patterns = match.hasMatch() ? match.captured(1).split(u' ', Qt::SkipEmptyParts) : QStringList{caption};
    for (QString& pattern : patterns)
        if (pattern == QLatin1String("*.*"))
            pattern = QStringLiteral("*");
    return caption + QStringLiteral(" (") + patterns.join(u' ') + u')';
}

void setFilters(QFileDialog& dialog, const QStringList& nameFilters, const QString& selectedFilter)
{
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const QString& caption : nameFilters)
        filters << dialogFilter(caption);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(dialogFilter(selectedFilter));
}

// The caption the chosen dialog filter was made from.
QString captionOf(const QString& dialogFilterText, const QStringList& nameFilters)
{
    for (const QString& caption : nameFilters)
        if (dialogFilter(caption) == dialogFilterText)
            return caption;
    return dialogFilterText;
}

// The open and save dialogs share their set-up and how a choice is read back.
std::optional<QString> runDialog(QFileDialog& dialog, const char* name, QFileDialog::AcceptMode mode,
                                 const QStringList& nameFilters, const QString& selectedFilter)
{
    dialog.setObjectName(QLatin1String(name));
    if (dialog.fileMode() != QFileDialog::ExistingFiles)
        dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(mode);
    setFilters(dialog, nameFilters, selectedFilter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<QString> QtSideEffects::chooseFileToOpen(QWidget* parent, const QString& title,
                                                       const QStringList& nameFilters, const QString& selectedFilter,
                                                       const QString& startFolder)
{
    QFileDialog dialog(parent, title);
    if (!startFolder.isEmpty())
        dialog.setDirectory(startFolder);
    return runDialog(dialog, "CommonDialog1", QFileDialog::AcceptOpen, nameFilters, selectedFilter);
}

std::optional<QStringList> QtSideEffects::chooseFilesToOpen(QWidget* parent, const QString& title,
                                                            const QStringList& nameFilters,
                                                            const QString& selectedFilter, const QString& startFolder)
{
    QFileDialog dialog(parent, title);
    if (!startFolder.isEmpty())
        dialog.setDirectory(startFolder);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (!runDialog(dialog, "CommonDialog1", QFileDialog::AcceptOpen, nameFilters, selectedFilter))
        return std::nullopt;
    return dialog.selectedFiles();
}

std::optional<SaveChoice> QtSideEffects::chooseFileToSave(QWidget* parent, const QString& title,
                                                          const QStringList& nameFilters, const QString& selectedFilter,
                                                          const QString& suggestedPath)
{
    QFileDialog dialog(parent, title);
    if (!suggestedPath.isEmpty())
        dialog.selectFile(suggestedPath);
    const std::optional<QString> path =
        runDialog(dialog, "SaveFileDialog", QFileDialog::AcceptSave, nameFilters, selectedFilter);
    if (!path)
        return std::nullopt;
    return SaveChoice{*path, captionOf(dialog.selectedNameFilter(), nameFilters)};
}

bool QtSideEffects::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

QDateTime QtSideEffects::now() { return QDateTime::currentDateTime(); }

int QtSideEffects::millisecondsPerSecond() { return 1000; }

QString QtSideEffects::programFolder() { return QApplication::applicationDirPath(); }

void QtSideEffects::endProgram(int exitCode)
{
    // Callers return straight after this, so the loop ends before any
    // further handler can act on a refused image.
    QApplication::closeAllWindows();
    QApplication::exit(exitCode);
}

} // namespace zorvek::ui
