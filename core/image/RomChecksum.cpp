// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/RomChecksum.h"

#include "core/image/LittleEndian.h"

#include <algorithm>
#include <bit>

namespace zorvek::checksum {

namespace {

constexpr qint64 kChunk = 1 << 20;
// What the two words add up to whenever they are a valid pair.
constexpr uint8_t kNeutralWords[kWordsLength] = {0xFF, 0xFF, 0x00, 0x00};

// Plain sum of ROM data [from, from + count), the stored words counted as a valid pair.
uint32_t rangeSum(const RomImage& rom, qint64 from, qint64 count)
{
    uint32_t sum = 0;
    const qint64 wordsAt = kComplementOffset - kRomDataOffset;
    for (qint64 done = 0; done < count;) {
        const qint64 start = from + done;
        const int length = static_cast<int>(std::min(kChunk, count - done));
        QByteArray chunk = rom.readBytes(kRomDataOffset + start, length);
        for (int i = 0; i < kWordsLength; ++i) {
            const qint64 at = wordsAt + i - start;
            if (at >= 0 && at < length)
                chunk[static_cast<int>(at)] = static_cast<char>(kNeutralWords[i]);
        }
        for (const char c : std::as_const(chunk))
            sum += static_cast<uint8_t>(c);
        done += length;
    }
    return sum;
}

struct Mirrored {
    uint32_t sum;
    qint64 size; // the power of two the part fills once mirrored
};

// The largest power of two comes first; the rest is mirrored up to its own
// power of two and then repeated to fill as much again.
Mirrored mirroredSum(const RomImage& rom, qint64 from, qint64 count)
{
    const auto first = static_cast<qint64>(std::bit_floor(static_cast<uint64_t>(count)));
    uint32_t sum = rangeSum(rom, from, first);
    if (first == count)
        return {sum, first};
    const Mirrored rest = mirroredSum(rom, from + first, count - first);
    sum += rest.sum * static_cast<uint32_t>(first / rest.size);
    return {sum, first * 2};
}

QString hexWord(uint16_t value) { return QStringLiteral("0x%1").arg(QString::number(value, 16).toUpper(), 4, u'0'); }

} // namespace

uint16_t compute(const RomImage& rom)
{
    const qint64 count = rom.size() - kRomDataOffset;
    if (count <= 0)
        return 0;
    return static_cast<uint16_t>(mirroredSum(rom, 0, count).sum);
}

State readState(const RomImage& rom)
{
    return {rom.readWord16(kChecksumOffset), rom.readWord16(kComplementOffset), compute(rom)};
}

QString stateText(const State& state)
{
    if (state.valid())
        return QStringLiteral("valid (%1)").arg(hexWord(state.computed));
    if (state.stored == state.computed)
        return QStringLiteral("stale complement (stored %1, should be %2)")
            .arg(hexWord(state.storedComplement), hexWord(static_cast<uint16_t>(~state.computed)));
    return QStringLiteral("stale (stored %1, computed %2)").arg(hexWord(state.stored), hexWord(state.computed));
}

QByteArray wordsFor(uint16_t computed)
{
    const auto complement = static_cast<uint16_t>(~computed);
    return le::bytes<quint16>(complement) + le::bytes<quint16>(computed);
}

IoResult fix(RomImage& rom)
{
    const QByteArray words = wordsFor(compute(rom));
    if (auto r = rom.takeReadFailure(); !r.ok())
        return r;
    return rom.writeBytes(kComplementOffset, words);
}

} // namespace zorvek::checksum
