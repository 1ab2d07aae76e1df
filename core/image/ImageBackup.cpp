// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageBackup.h"

#include "core/image/DurableFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryFile>

#include <algorithm>

namespace zorvek::backup {

namespace {

// Copies of one second, numbered; more than this in a second is a runaway script.
constexpr int kCopiesPerSecond = 1000;

// The copy under a name of its own that no backup name matches.
IoResult writeTemporaryCopy(const QString& imagePath, QTemporaryFile& temp)
{
    QFile source(imagePath);
    if (!source.open(QIODevice::ReadOnly))
        return IoResult::failure(source.errorString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return IoResult::failure(source.errorString());
    if (!temp.open())
        return IoResult::failure(temp.errorString());
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        return IoResult::failure(temp.errorString());
    if (IoResult r = durable::syncHandle(temp.handle()); !r.ok())
        return r;
    temp.close();
    if (temp.error() != QFileDevice::NoError)
        return IoResult::failure(temp.errorString());
    return IoResult::success();
}

QDateTime madeAt(const QFileInfo& copy)
{
    // Touching a copy moves its modification time, not its birth.
    const QDateTime born = copy.birthTime();
    return born.isValid() ? born : copy.lastModified();
}

} // namespace

QString copyName(const QString& fileName, const QDateTime& when, int n)
{
    const QString stamp = when.toString(QString::fromLatin1(kTimeFormat));
    if (n <= 1)
        return QStringLiteral("%1.%2.bak").arg(fileName, stamp);
    return QStringLiteral("%1.%2-%3.bak").arg(fileName, stamp).arg(n);
}

IoResult make(const QString& imagePath, const QDateTime& when, QString* madePath)
{
    const QFileInfo image(imagePath);
    const QDir folder = image.absoluteDir();
    QTemporaryFile temp(folder.filePath(image.fileName() + QStringLiteral(".XXXXXX.tmp")));
    if (IoResult r = writeTemporaryCopy(imagePath, temp); !r.ok())
        return r;
    for (int n = 1; n <= kCopiesPerSecond; ++n) {
        const QString target = folder.filePath(copyName(image.fileName(), when, n));
        bool taken = false;
        const IoResult renamed = durable::renameNoReplace(temp.fileName(), target, &taken);
        if (taken)
            continue;
        if (!renamed.ok())
            return renamed;
        temp.setAutoRemove(false);
        if (IoResult r = durable::syncFolder(folder.path()); !r.ok())
            return r;
        if (madePath)
            *madePath = target;
        return IoResult::success();
    }
    return IoResult::failure(QStringLiteral("Too many copies were made within one second."));
}

void prune(const QString& imagePath, const QString& keep)
{
    const QFileInfo image(imagePath);
    const QDir folder = image.absoluteDir();
    const QRegularExpression ownCopy(QStringLiteral("^%1\\.\\d{8}-\\d{6}(-[1-9]\\d*)?\\.bak$")
                                         .arg(QRegularExpression::escape(image.fileName())));
    const QString kept = QFileInfo(keep).absoluteFilePath();
    QFileInfoList copies;
    for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks))
        if (ownCopy.match(entry.fileName()).hasMatch() && entry.absoluteFilePath() != kept)
            copies.append(entry);
    std::sort(copies.begin(), copies.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime ta = madeAt(a), tb = madeAt(b);
        return ta != tb ? ta > tb : a.fileName() > b.fileName();
    });
    for (qsizetype i = kKeptCopies - 1; i < copies.size(); ++i)
        QFile::remove(copies[i].absoluteFilePath());
}

} // namespace zorvek::backup
