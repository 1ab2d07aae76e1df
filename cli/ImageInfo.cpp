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

} // namespace

QList<InfoLine> imageInfo(const RomImage& rom, const QString& path)
{
    const auto hex = [](uint16_t word) {
        return QStringLiteral("0x") + QString::number(word, 16).toUpper().rightJustified(4, QLatin1Char('0'));
    };
    const uint16_t checkWord = rom.readWord16(romcheck::kCheckWordOffset);
    QString check = QStringLiteral("%1, right").arg(hex(checkWord));
    if (checkWord != romcheck::kExpectedCheckWord && headerless::lacksCopierHeader(rom))
        check = QStringLiteral("%1, wrong: the image has no copier header (this game's ROM data starts at its "
                               "first byte; add-header makes a copy with one)")
                    .arg(hex(checkWord));
    else if (checkWord != romcheck::kExpectedCheckWord)
        check = QStringLiteral("%1, wrong (this game's images hold %2): not this game's image")
                    .arg(hex(checkWord), hex(romcheck::kExpectedCheckWord));
    return {
        {QStringLiteral("Image"), path},
        {QStringLiteral("Size"), QStringLiteral("%1 bytes").arg(rom.size())},
        {QStringLiteral("Copier type"), QString::fromLatin1(copier::typeNames()[static_cast<int>(copier::detect(rom))])},
        // The name field is padded with blanks; lines end without them.
        {QStringLiteral("Internal name"), visibleControls(withoutTrailingBlanks(internalname::read(rom)))},
        {QStringLiteral("Check word"), check},
        {QStringLiteral("Checksum"), rom.checkHolds(checksum::kComplementOffset, checksum::kWordsLength).ok()
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
