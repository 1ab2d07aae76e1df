// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the core's readers and writers on arbitrary file
// contents: nothing may crash, read out of bounds, or write outside the
// field it owns.

#include "FuzzCheck.h"
#include "core/characters/CharacterSlot.h"
#include "core/header/CopierHeader.h"
#include "core/header/EditorStamp.h"
#include "core/header/InternalName.h"
#include "core/image/RomChecksum.h"
#include "core/image/RomImage.h"
#include "core/monsters/MonsterRecord.h"
#include "patches/BpsPatch.h"
#include "patches/IpsPatch.h"

#include <QBuffer>

#include <cstdint>
#include <cstring>

using namespace zorvek;

namespace {

// Everything outside [offset, offset + length) must be as it was.
void requireOnlyChanged(const QByteArray& before, const QByteArray& after, qint64 offset, qint64 length)
{
    const qint64 common = qMin(before.size(), after.size());
    for (qint64 i = 0; i < common; ++i)
        if (i < offset || i >= offset + length)
            require(before[i] == after[i]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > (1u << 21))
        return 0;
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<int>(size));
    auto* buffer = new QBuffer(&bytes);
    buffer->open(QIODevice::ReadWrite);
    RomImage rom;
    rom.attach(std::unique_ptr<QIODevice>(buffer), QStringLiteral("fuzz"));

    const CopierType detected = copier::detect(rom);
    require(static_cast<int>(detected) >= 0 && static_cast<int>(detected) <= 3);
    (void)romcheck::isRightGame(rom);
    // Every record reads, whatever the file holds or however short it is.
    for (int i = 0; i < monsters::kRecordCount; ++i) {
        const monsters::MonsterRecord record(rom, i);
        (void)(record.hitPoints() + record.experience() + record.gil() + record.magicPoints());
        (void)(record.specialBits() + record.attackAnimation() + record.level() + record.nameIndex());
    }
    for (int slot = 0; slot < 4; ++slot) {
        const characters::CharacterView view = characters::loadCharacter(rom, slot);
        require(!view.level.isEmpty() && !view.currentHp.isEmpty());
    }
    require(rom.writeCount() == 0);

    // Patches between any two byte strings are made without a crash.
    const QByteArray source = bytes.left(bytes.size() / 2), target = bytes.mid(bytes.size() / 2);
    require(patches::bps::create(source, target).ok());
    require(patches::ips::create(source, target).ok() == (target.size() >= source.size()));

    const QString name = internalname::read(rom);
    require(name.size() == internalname::kLength);

    // Writing back what was read changes nothing; a file too short for the
    // field is refused and left as it was.
    const QByteArray original = bytes;
    const bool nameFits = static_cast<qint64>(size) >= internalname::kOffset + internalname::kLength;
    require(internalname::write(rom, name).ok() == nameFits);
    require(bytes == original);

    // A header written for a type reads back as that type, touching 12 bytes only.
    const int type = size > 0 ? data[0] % 4 : 0;
    QByteArray before = bytes;
    const bool headerFits = size >= 12;
    require(copier::write(rom, static_cast<CopierType>(type)).ok() == headerFits);
    if (headerFits)
        require(copier::detect(rom) == static_cast<CopierType>(type));
    else
        require(bytes == before);
    requireOnlyChanged(before, bytes, 0, 12);

    // A stamp of any length stays inside the copier header; the file never grows.
    before = bytes;
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<int>(qMin<size_t>(size, 600)));
    (void)stamp::write(rom, text);
    requireOnlyChanged(before, bytes, stamp::kOffset, stamp::kMaxLength);
    require(bytes.size() == original.size());

    // Fixing the checksum writes its four bytes only, and what it writes
    // never changes the sum it was made from.
    before = bytes;
    const bool wordsFit = static_cast<qint64>(size) >= checksum::kComplementOffset + checksum::kWordsLength;
    require(checksum::fix(rom).ok() == wordsFit);
    requireOnlyChanged(before, bytes, checksum::kComplementOffset, checksum::kWordsLength);
    require(!wordsFit || checksum::readState(rom).valid());
    return 0;
}
