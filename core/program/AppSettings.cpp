#include "core/program/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zorvek {

namespace {
const QString kOpenFolderKey = QStringLiteral("OpenDialog/LastFolder");
const QString kBackUpKey = QStringLiteral("Saving/BackUpBeforeFirstSave");
const QString kFixChecksumKey = QStringLiteral("Saving/FixChecksumOnSave");
} // namespace

// QSettings is made on demand: reading the file at start-up would slow it.
QString AppSettings::openFolder() const
{
    const QString folder = QSettings().value(kOpenFolderKey).toString();
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QString();
}

void AppSettings::rememberOpenedFile(const QString& path)
{
    QSettings().setValue(kOpenFolderKey, QFileInfo(path).absolutePath());
}

bool AppSettings::backUpBeforeFirstSave() const { return QSettings().value(kBackUpKey, true).toBool(); }
void AppSettings::setBackUpBeforeFirstSave(bool on) { QSettings().setValue(kBackUpKey, on); }

bool AppSettings::fixChecksumOnSave() const { return QSettings().value(kFixChecksumKey, false).toBool(); }
void AppSettings::setFixChecksumOnSave(bool on) { QSettings().setValue(kFixChecksumKey, on); }

} // namespace zorvek
