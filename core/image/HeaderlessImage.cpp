// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/HeaderlessImage.h"

#include "core/header/CopierHeader.h"

#include <QtEndian>

namespace zorvek::headerless {

namespace {

constexpr qint64 kHeaderSize = copier::kHeaderSize;

// Little-endian, and 0 when the file ends first.
uint16_t word16At(QByteArrayView file, qint64 offset)
{
    if (offset + 2 > file.size())
        return 0;
    return qFromLittleEndian<quint16>(file.data() + offset);
}

} // namespace

Kind classify(QByteArrayView file)
{
    const bool checkAtStart = word16At(file, 0) == romcheck::kExpectedCheckWord;
    const bool checkBehindHeader = word16At(file, romcheck::kCheckWordOffset) == romcheck::kExpectedCheckWord;
    const qint64 remainder = file.size() % kBankSize;
    // A header that happens to start with 78 18 still makes whole banks plus 512.
    if (checkBehindHeader && remainder == kHeaderSize)
        return Kind::HasCopierHeader;
    if (checkAtStart)
        return remainder == 0 && !file.isEmpty() ? Kind::ThisGame : Kind::NotWholeBanks;
    return checkBehindHeader ? Kind::HasCopierHeader : Kind::OtherGame;
}

QString refusalText(Kind kind, const QString& shownName, qint64 size)
{
    switch (kind) {
    case Kind::ThisGame:
        break;
    case Kind::HasCopierHeader:
        return QStringLiteral("\"%1\" already has a copier header: open it as it is.").arg(shownName);
    case Kind::OtherGame:
        return QStringLiteral(
                   "\"%1\" is not this game's ROM data: it does not start with the check word 78 18, "
                   "with or without a copier header.")
            .arg(shownName);
    case Kind::NotWholeBanks:
        return QStringLiteral(
                   "\"%1\" holds %2 bytes, which is not a whole number of 32 KiB banks: it is not a "
                   "whole dump of the ROM.")
            .arg(shownName)
            .arg(size);
    }
    return {};
}

bool lacksCopierHeader(const RomImage& rom)
{
    return rom.readWord16(0) == romcheck::kExpectedCheckWord
        && rom.readWord16(romcheck::kCheckWordOffset) != romcheck::kExpectedCheckWord;
}

} // namespace zorvek::headerless
