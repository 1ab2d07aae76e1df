// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WriteFailureMessage.h"

#include "ui/SideEffects.h"

#include <QCoreApplication>
#include <QDir>

namespace zorvek::ui {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("WriteFailureMessage", text); }

} // namespace

void reportWriteFailure(SideEffects& effects, QWidget* parent, const QString& imagePath, const QString& reason)
{
    effects.showMessage(
        parent, MessageIcon::Exclamation,
        tr("The ROM image \"%1\" could not be written:\n%2").arg(QDir::toNativeSeparators(imagePath), reason));
}

void reportReadFailure(SideEffects& effects, QWidget* parent, const QString& imagePath, const IoResult& failure,
                       const QString& consequence)
{
    effects.showMessage(parent, MessageIcon::Exclamation,
                        tr("The ROM image \"%1\" could not be read:\n%2\n%3")
                            .arg(QDir::toNativeSeparators(imagePath), failure.error, consequence));
}

void reportFailure(SideEffects& effects, QWidget* parent, const QString& imagePath, const CommandOutcome& outcome)
{
    if (!outcome.backupFailed) {
        const QString left = stepLeftText(outcome, imagePath);
        reportWriteFailure(effects, parent, imagePath,
                           outcome.result.error + (left.isEmpty() ? QString() : QLatin1Char('\n') + left));
        return;
    }
    effects.showMessage(parent, MessageIcon::Exclamation,
                        tr("Nothing was written to the ROM image \"%1\": its backup copy could not be made:\n%2\n\n"
                           "To save without a backup, turn off \"Back Up Before First Save\" in the Stuff menu.")
                            .arg(QDir::toNativeSeparators(imagePath), outcome.result.error));
}

} // namespace zorvek::ui
