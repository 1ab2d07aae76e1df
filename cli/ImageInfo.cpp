// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ImageInfo.h"

#include "core/header/CopierHeader.h"
#include "core/header/InternalName.h"
#include "core/image/HeaderlessImage.h"
#include "core/image/RomChecksum.h"
#include "core/text/VisibleText.h"

namespace zorvek::cli {

namespace {

QString withoutTrailingBlanks(QString text)
{
    while (text.endsWith(QLatin1Char(' ')))
        text.chop(1);
    return text;
}

// A headerless image as it reads with a copier header in front: every
// position then finds its own field, not the bytes 512 further on.
std::unique_ptr<RomImage> withHeaderInFront(const RomImage& rom)
{
    auto shifted = std::make_unique<RomImage>();
    shifted->openCopy(QByteArray(copier::kHeaderSize, '\0') + rom.readBytes(0, static_cast<int>(rom.size())),
                      RomImage::CopyAccess::ReadOnly, rom.path());
    return shifted;
}

} // namespace

QList<InfoLine> imageInfo(const RomImage& image, const QString& path)
{
    const bool bare = headerless::lacksCopierHeader(image);
    const std::unique_ptr<RomImage> shifted = bare ? withHeaderInFront(image) : nullptr;
    // Name and checksum are read where the ROM data holds them.
    const RomImage& rom = bare ? *shifted : image;
    const auto hex = [](uint16_t word) {
        return QStringLiteral("0x") + QString::number(word, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    };
    const uint16_t checkWord = image.readWord16(romcheck::kCheckWordOffset);
    QString check = QStringLiteral("%1, right").arg(hex(checkWord));
    if (checkWord != romcheck::kExpectedCheckWord && bare)
        check = QStringLiteral(
                    "%1, wrong: the image has no copier header (this game's ROM data starts at its "
                    "first byte; add-header makes a copy with one)")
                    .arg(hex(checkWord));
    else if (checkWord != romcheck::kExpectedCheckWord)
        check = QStringLiteral("%1, wrong (this game's images hold %2): not this game's image")
                    .arg(hex(checkWord), hex(romcheck::kExpectedCheckWord));
    return {
        {QStringLiteral("Image"), path},
        {QStringLiteral("Size"), QStringLiteral("%1 bytes").arg(image.size())},
        {QStringLiteral("Copier type"),
         bare ? QStringLiteral("none: the image has no copier header")
              : QString::fromLatin1(copier::typeNames()[static_cast<int>(copier::detect(rom))])},
        // The name field is padded with blanks; lines end without them.
        {QStringLiteral("Internal name"), visibleControls(withoutTrailingBlanks(internalname::read(rom)))},
        {QStringLiteral("Check word"), check},
        {QStringLiteral("Checksum"),
         rom.checkHolds(checksum::kComplementOffset, checksum::kWordsLength).ok()
             ? checksum::stateText(checksum::readState(rom))
             : QStringLiteral("none: the file ends before the checksum words")},
    };
}

QString infoText(const QList<InfoLine>& lines)
{
    QString text;
    for (const InfoLine& line : lines)
        text += line.label + QStringLiteral(": ") + line.value + QLatin1Char('\n');
    return text;
}

} // namespace zorvek::cli
