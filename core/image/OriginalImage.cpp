// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/OriginalImage.h"

#include "core/header/CopierHeader.h"
#include "core/image/ImageSizeLimit.h"

#include <QDir>

namespace zorvek::originalimage {

namespace {

constexpr qint64 kHeaderSize = copier::kHeaderSize;
// Copier files are whole kilobytes of ROM data behind a 512-byte header.
constexpr qint64 kSizeUnit = 1024;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

std::optional<QByteArray> romDataOf(const QByteArray& originalFile, const QString& originalName, qsizetype romDataSize,
                                    QString* refusal)
{
    const qsizetype skip = originalFile.size() % kSizeUnit == kHeaderSize ? kHeaderSize : 0;
    QByteArray original = originalFile.mid(skip);
    const auto checkWord = static_cast<uint16_t>(
        original.size() < 2 ? 0 : static_cast<uint8_t>(original[0]) | static_cast<uint8_t>(original[1]) << 8);
    if (checkWord != romcheck::kExpectedCheckWord) {
        *refusal = QStringLiteral("%1 is not an image of this game: its ROM data does not start with 78 18.")
                       .arg(shown(originalName));
        return std::nullopt;
    }
    if (original.size() != romDataSize) {
        *refusal = QStringLiteral(
                       "%1 holds %2 bytes of ROM data and the open image %3: "
                       "the original must be of the same ROM size.")
                       .arg(shown(originalName))
                       .arg(original.size())
                       .arg(romDataSize);
        return std::nullopt;
    }
    return original;
}

RomData read(const QString& path, qsizetype romDataSize)
{
    RomData out;
    QByteArray file;
    out.unread = readImageFile(path, file);
    if (!out.unread.ok())
        return out;
    if (std::optional<QByteArray> romData = romDataOf(file, path, romDataSize, &out.refusal))
        out.bytes = std::move(*romData);
    return out;
}

} // namespace zorvek::originalimage
