// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/SameFile.h"

#include "core/image/FileIdentity.h"

#include <QDir>
#include <QFileInfo>

namespace zorvek {

namespace {

QString resolvedPath(const QString& path)
{
    const QFileInfo info(path);
    const QString folder = info.absoluteDir().canonicalPath();
    return QDir::cleanPath((folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName());
}

} // namespace

bool isSameFile(const QString& a, const QString& b)
{
    const auto first = identityOfPath(a);
    const auto second = identityOfPath(b);
    if (first && second)
        return first->sameFile(*second);
    if (first || second)
        return false;
    return resolvedPath(a) == resolvedPath(b);
}

} // namespace zorvek
