// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/play/PlayCopy.h"

#include "core/header/CopierHeader.h"
#include "core/image/RomChecksum.h"
#include "core/image/RomImage.h"
#include "core/image/SafeFileWriter.h"
#include "core/image/SameFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

namespace zorvek::playcopy {

Copy make(const QByteArray& imageBytes, const std::vector<table::monstertable::RecordSave>& unsaved)
{
    RomImage copy;
    copy.openCopy(imageBytes, RomImage::CopyAccess::Scratch, QStringLiteral("play copy in memory"));
    // The saves' stamp lands in the copier header, which the copy leaves out.
    IoResult result = table::monstertable::writeSaves(copy, unsaved, QDateTime::currentDateTime());
    if (result.ok())
        result = checksum::fix(copy);
    if (!result.ok())
        return {{}, result};
    return {copy.readBytes(copier::kHeaderSize, copy.size() - copier::kHeaderSize), IoResult::success()};
}

QString pathFor(const QString& folder, const QString& imagePath)
{
    const QFileInfo image(imagePath);
    const QByteArray tag =
        QCryptographicHash::hash(resolvedFilePath(imagePath).toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QDir(folder).filePath(image.completeBaseName() + u'-' + QString::fromLatin1(tag) + QStringLiteral(".sfc"));
}

IoResult write(const QString& path, const QByteArray& romData)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return IoResult::failure(QStringLiteral("The folder %1 could not be made.")
                                     .arg(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
    return SafeFileWriter::write(path, romData);
}

} // namespace zorvek::playcopy
