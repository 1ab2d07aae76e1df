// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/PatchMaker.h"

#include "core/header/CopierHeader.h"
#include "core/image/ImageSizeLimit.h"
#include "core/image/OriginalImage.h"
#include "core/image/LittleEndian.h"
#include "core/image/SafeFileWriter.h"
#include "patches/BpsPatch.h"
#include "patches/IpsPatch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zorvek::patches {

namespace {

constexpr qint64 kHeaderSize = copier::kHeaderSize;

QString shown(const QString& path) { return QDir::toNativeSeparators(path); }

} // namespace

std::optional<PatchFormat> formatOfName(const QString& patchPath)
{
    const QString suffix = QFileInfo(patchPath).suffix().toLower();
    if (suffix == QLatin1String("ips"))
        return PatchFormat::Ips;
    if (suffix == QLatin1String("bps"))
        return PatchFormat::Bps;
    return std::nullopt;
}

QByteArray romDataOf(const RomImage& rom)
{
    const qint64 count = rom.size() - kHeaderSize;
    return count > 0 ? rom.readBytes(kHeaderSize, count) : QByteArray();
}

PatchResult make(const QByteArray& originalFile, const QString& originalName, const QByteArray& romData,
                 PatchFormat format)
{
    QString refusal;
    const std::optional<QByteArray> original =
        originalimage::romDataOf(originalFile, originalName, romData.size(), &refusal);
    if (!original)
        return {{}, refusal};
    return format == PatchFormat::Bps ? bps::create(*original, romData) : ips::create(*original, romData);
}

IoResult createPatchFile(const QString& originalPath, const QByteArray& romData, const QString& patchPath,
                         PatchFormat format, PatchFailure* failure)
{
    const auto failed = [failure](PatchFailure what, const QString& message) {
        if (failure)
            *failure = what;
        return IoResult::failure(message);
    };
    if (failure)
        *failure = PatchFailure::None;
    QByteArray originalFile;
    if (IoResult r = readImageFile(originalPath, originalFile); !r.ok())
        return failed(PatchFailure::Original,
                      QStringLiteral("%1 could not be read: %2").arg(shown(originalPath), r.error));
    const PatchResult patch = make(originalFile, originalPath, romData, format);
    if (!patch.ok())
        return failed(PatchFailure::Original, patch.error);
    // Written whole or not at all: a cut patch would damage the images it is applied to.
    if (IoResult r = SafeFileWriter::write(patchPath, patch.bytes); !r.ok())
        return failed(PatchFailure::PatchFile,
                      QStringLiteral("The patch %1 could not be written: %2").arg(shown(patchPath), r.error));
    return IoResult::success();
}

} // namespace zorvek::patches
