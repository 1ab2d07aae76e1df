// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/SameFile.h"

#include "core/image/FileIdentity.h"

#include <QDir>
#include <QFileInfo>

namespace zorvek {

QString resolvedFilePath(const QString& path)
{
    const QFileInfo info(path);
    if (const QString canonical = info.canonicalFilePath(); !canonical.isEmpty())
        return canonical;
    const QString folder = info.absoluteDir().canonicalPath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName());
}

bool isSameFile(const QString& a, const QString& b)
{
    const auto first = identityOfPath(a);
    const auto second = identityOfPath(b);
    if (first && second)
        return isSameFile(*first, *second);
    if (first || second)
        return false;
    return resolvedFilePath(a) == resolvedFilePath(b);
}

} // namespace zorvek
