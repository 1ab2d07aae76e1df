#include "main/QtSideEffects.h"

#include "main/AppInfo.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

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

std::optional<QString> QtSideEffects::chooseFileToOpen(QWidget* parent, const QStringList& nameFilters,
                                                       const QString& selectedFilter)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("CommonDialog1"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(nameFilters);
    dialog.selectNameFilter(selectedFilter);
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
