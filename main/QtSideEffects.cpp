#include "main/QtSideEffects.h"

#include "main/AppInfo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace zorvek {

void QtSideEffects::showMessage(QWidget* parent, MessageIcon icon, const QString& text)
{
    QMessageBox::Icon boxIcon = QMessageBox::Information;
    if (icon == MessageIcon::Critical)
        boxIcon = QMessageBox::Critical;
    else if (icon == MessageIcon::Exclamation)
        boxIcon = QMessageBox::Warning;
    QMessageBox box(boxIcon, QString::fromLatin1(kAppTitle), text, QMessageBox::Ok, parent);
    box.exec();
}

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

} // namespace

std::optional<QString> QtSideEffects::chooseFileToOpen(QWidget* parent, const QStringList& nameFilters,
                                                       const QString& selectedFilter, const QString& startFolder)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QStringList filters;
    for (const QString& caption : nameFilters)
        filters << dialogFilter(caption);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(dialogFilter(selectedFilter));
    if (!startFolder.isEmpty())
        dialog.setDirectory(startFolder);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
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

} // namespace zorvek
