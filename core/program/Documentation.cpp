// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/program/Documentation.h"

#include "core/program/InstallPaths.h"

#include <QDir>
#include <QFileInfo>

namespace zorvek::docs {

QString readmePath(const QString& programFolder)
{
    const QString installed = QDir::cleanPath(
        QDir(programFolder).filePath(QString::fromUtf8(kDocFolderFromProgram) + QStringLiteral("/README.md")));
    for (const QString& candidate : {installed, QString::fromUtf8(kSourceReadme)}) {
        if (QFileInfo(candidate).isFile())
            return candidate;
    }
    return {};
}

QUrl homePage(const QString& programFolder)
{
    if (const QString chosen = QString::fromUtf8(kHomePageUrl); !chosen.isEmpty())
        return QUrl(chosen);
    const QString readme = readmePath(programFolder);
    return readme.isEmpty() ? QUrl() : QUrl::fromLocalFile(readme);
}

} // namespace zorvek::docs
