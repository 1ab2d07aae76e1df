#include "main/AppSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zorvek {

namespace {
const QString kOpenFolderKey = QStringLiteral("OpenDialog/LastFolder");
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

} // namespace zorvek
