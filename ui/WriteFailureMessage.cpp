// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WriteFailureMessage.h"

#include "core/image/RollbackJournal.h"
#include "ui/SideEffects.h"

#include <QCoreApplication>
#include <QDir>

namespace zorvek::ui {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("WriteFailureMessage", text); }

} // namespace

void reportWriteFailure(SideEffects& effects, QWidget* parent, const QString& imagePath, const QString& reason)
{
    effects.showMessage(parent, MessageIcon::Exclamation,
                        tr("The ROM image \"%1\" could not be written:\n%2")
                            .arg(QDir::toNativeSeparators(imagePath), reason));
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
        QString reason = outcome.result.error;
        if (outcome.takenBack)
            reason += tr("\nThe writes already made were taken back: the image is as it was.");
        if (outcome.partlyWritten)
            reason += tr("\nTaking them back failed too: the image may hold part of the changes until it is "
                         "opened again, when its rollback journal \"%1\" takes them back.")
                          .arg(QDir::toNativeSeparators(rollback::journalPath(imagePath)));
        reportWriteFailure(effects, parent, imagePath, reason);
        return;
    }
    effects.showMessage(parent, MessageIcon::Exclamation,
                        tr("Nothing was written to the ROM image \"%1\": its backup copy could not be made:\n%2\n\n"
                           "To save without a backup, turn off \"Back Up Before First Save\" in the Stuff menu.")
                            .arg(QDir::toNativeSeparators(imagePath), outcome.result.error));
}

} // namespace zorvek::ui
