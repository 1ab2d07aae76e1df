// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/program/AppSettings.h"

#include "core/image/SameFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace zorvek {

namespace {
const QString kOpenFolderKey = QStringLiteral("OpenDialog/LastFolder");
const QString kBackUpKey = QStringLiteral("Saving/BackUpBeforeFirstSave");
const QString kFixChecksumKey = QStringLiteral("Saving/FixChecksumOnSave");
const QString kRecentKey = QStringLiteral("OpenDialog/RecentImages");

// One spelling per file, so that opening it twice lists it once.
QString listed(const QString& path) { return QDir::cleanPath(QFileInfo(path).absoluteFilePath()); }
const QString kHiddenGroupsKey = QStringLiteral("MonsterTable/HiddenGroups");
// One map from image to original: a path cannot be a settings key.
const QString kOriginalsKey = QStringLiteral("MonsterTable/Originals");

QString imageKey(const QString& imagePath) { return resolvedFilePath(imagePath); }
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

QStringList AppSettings::recentImages() const
{
    return QSettings().value(kRecentKey).toStringList().mid(0, kRecentImageCount);
}

void AppSettings::rememberRecentImage(const QString& path)
{
    QStringList images = recentImages();
    images.removeAll(listed(path));
    images.prepend(listed(path));
    QSettings().setValue(kRecentKey, images.mid(0, kRecentImageCount));
}

void AppSettings::forgetRecentImage(const QString& path)
{
    QStringList images = recentImages();
    images.removeAll(listed(path));
    QSettings().setValue(kRecentKey, images);
}

void AppSettings::clearRecentImages() { QSettings().remove(kRecentKey); }

bool AppSettings::backUpBeforeFirstSave() const { return QSettings().value(kBackUpKey, true).toBool(); }
void AppSettings::setBackUpBeforeFirstSave(bool on) { QSettings().setValue(kBackUpKey, on); }

bool AppSettings::fixChecksumOnSave() const { return QSettings().value(kFixChecksumKey, false).toBool(); }
void AppSettings::setFixChecksumOnSave(bool on) { QSettings().setValue(kFixChecksumKey, on); }

QStringList AppSettings::hiddenTableGroups() const { return QSettings().value(kHiddenGroupsKey).toStringList(); }
void AppSettings::setHiddenTableGroups(const QStringList& groups) { QSettings().setValue(kHiddenGroupsKey, groups); }

QString AppSettings::originalOf(const QString& imagePath) const
{
    return QSettings().value(kOriginalsKey).toMap().value(imageKey(imagePath)).toString();
}

void AppSettings::setOriginalOf(const QString& imagePath, const QString& originalPath)
{
    QSettings settings;
    QVariantMap originals = settings.value(kOriginalsKey).toMap();
    originals.insert(imageKey(imagePath), originalPath);
    settings.setValue(kOriginalsKey, originals);
}

QString AppSettings::emulatorCommand() const
{
    return QSettings().value(QStringLiteral("Emulator/Command")).toString();
}

void AppSettings::setEmulatorCommand(const QString& command)
{
    QSettings().setValue(QStringLiteral("Emulator/Command"), command);
}

} // namespace zorvek
