#include "core/image/ImageBackup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace zorvek::backup {

namespace {

// A copy never replaces an older one: two sessions within one second keep both.
constexpr int kSecondsToTry = 60;

IoResult copyFile(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return IoResult::failure(source.errorString());
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return IoResult::failure(source.errorString());
    QFile target(to);
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return IoResult::failure(target.errorString());
    if (target.write(bytes) != bytes.size() || !target.flush()) {
        // A cut copy must not pass for a backup.
        const IoResult failed = IoResult::failure(target.errorString());
        target.remove();
        return failed;
    }
    return IoResult::success();
}

void keepNewest(const QFileInfo& image)
{
    QDir folder = image.absoluteDir();
    const QRegularExpression pattern(QStringLiteral("^%1\\.\\d{8}-\\d{6}\\.bak$")
                                         .arg(QRegularExpression::escape(image.fileName())));
    QStringList copies;
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        if (pattern.match(name).hasMatch())
            copies.append(name);
    // The stamp sorts by time as text.
    std::sort(copies.begin(), copies.end(), std::greater<>());
    for (qsizetype i = kKeptCopies; i < copies.size(); ++i)
        folder.remove(copies[i]);
}

} // namespace

QString copyName(const QString& fileName, const QDateTime& when)
{
    return QStringLiteral("%1.%2.bak").arg(fileName, when.toString(QString::fromLatin1(kTimeFormat)));
}

IoResult make(const QString& imagePath, const QDateTime& when, QString* madePath)
{
    const QFileInfo image(imagePath);
    QString target;
    for (int s = 0; s < kSecondsToTry && target.isEmpty(); ++s) {
        const QString candidate = image.absoluteDir().filePath(copyName(image.fileName(), when.addSecs(s)));
        if (!QFileInfo::exists(candidate))
            target = candidate;
    }
    if (target.isEmpty())
        return IoResult::failure(QStringLiteral("Too many copies were made within a minute."));
    if (IoResult r = copyFile(imagePath, target); !r.ok())
        return r;
    keepNewest(image);
    if (madePath)
        *madePath = target;
    return IoResult::success();
}

} // namespace zorvek::backup
