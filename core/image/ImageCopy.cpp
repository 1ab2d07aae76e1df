// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/ImageCopy.h"

#include "core/image/ImageSizeLimit.h"
#include "core/image/SafeFileWriter.h"
#include "core/image/SameFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace zorvek::imagecopy {

namespace {

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

Outcome refused(const QString& text, Failure why = Failure::Refused) { return {IoResult::failure(text), why}; }

} // namespace

QByteArray headerFor(CopierType type)
{
    QByteArray header(copier::kHeaderSize, '\0');
    copier::HeaderWords words{};
    if (!copier::headerWordsFor(type, &words))
        return header;
    for (const auto& [offset, value] :
         {std::pair{copier::kWordAOffset, words.a}, std::pair{copier::kWordBOffset, words.b},
          std::pair{copier::kWordCOffset, words.c}})
        qToLittleEndian<quint32>(value, header.data() + offset);
    return header;
}

FileBytes readWhole(const QString& path)
{
    if (QFileInfo(path).isDir())
        return {{}, IoResult::failure(QStringLiteral("\"%1\" is a folder, not a file.").arg(shown(path)))};
    FileBytes out;
    if (IoResult r = readImageFile(path, out.bytes); !r.ok())
        out.result = IoResult::failure(QStringLiteral("\"%1\" could not be read: %2").arg(shown(path), r.error));
    return out;
}

Outcome writeCopy(const QString& target, const QByteArray& bytes, const QString& source, bool replaceExisting)
{
    const QFileInfo info(target);
    // A link leading nowhere is a name taken all the same: written through,
    // it would make a file wherever it points.
    if (info.isSymLink() && !info.exists()) {
        if (!replaceExisting)
            return refused(
                QStringLiteral("\"%1\" already exists, as a link to a file that does not exist.").arg(shown(target)),
                Failure::Exists);
        if (!QFile::remove(target))
            return refused(
                QStringLiteral("The link \"%1\" could not be replaced: nothing was written.").arg(shown(target)),
                Failure::Write);
    } else if (info.exists()) {
        // Renaming over a device node or a folder would replace it.
        if (!info.isFile())
            return refused(
                QStringLiteral("\"%1\" is not a regular file: nothing was written to it.").arg(shown(target)),
                Failure::NotAFile);
        if (isSameFile(target, source))
            return refused(QStringLiteral("\"%1\" is the image being copied: the copy needs a file of its own.")
                               .arg(shown(target)));
        if (!replaceExisting)
            return refused(QStringLiteral("\"%1\" already exists.").arg(shown(target)), Failure::Exists);
    }
    // Through the shared writer: a short write or a failed sync never passes for a copy.
    if (IoResult r = SafeFileWriter::write(target, bytes); !r.ok())
        return {IoResult::failure(
                    QStringLiteral("The copy \"%1\" could not be written: %2").arg(shown(target), r.error)),
                Failure::Write};
    return {};
}

} // namespace zorvek::imagecopy
