// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/PatchNumbers.h"

namespace zorvek::patches {

namespace {

constexpr qsizetype kMagicSize = 4;
constexpr qsizetype kFooterSize = 12;
constexpr qsizetype kPatchCrcInFooter = 8;

} // namespace

void appendNumber(QByteArray& out, uint64_t value)
{
    for (;;) {
        const auto low = static_cast<char>(value & 0x7F);
        value >>= 7;
        if (value == 0) {
            out.append(static_cast<char>(0x80 | low));
            return;
        }
        out.append(low);
        --value;
    }
}

bool readNumber(const QByteArray& patch, qsizetype& pos, qsizetype end, uint64_t& value)
{
    value = 0;
    uint64_t shift = 1;
    for (int shifts = 0; pos < end; ++shifts) {
        const auto x = static_cast<uint8_t>(patch[pos++]);
        // Ten bytes carry 64 bits; the eleventh would overflow.
        if (shifts > 9)
            return false;
        const uint64_t part = (x & 0x7F) * shift;
        if (shift != 0 && part / shift != (x & 0x7FU))
            return false;
        if (value + part < value)
            return false;
        value += part;
        if (x & 0x80)
            return true;
        shift <<= 7;
        if (value + shift < value)
            return false;
        value += shift;
    }
    return false;
}

ApplyResult readOpening(const QByteArray& patch, const char* magic, std::initializer_list<uint64_t*> numbers,
                        qsizetype& pos, qsizetype& footer)
{
    if (!patch.startsWith(magic))
        return ApplyResult::failure(0, QStringLiteral("it does not start with \"%1\"").arg(QLatin1String(magic)));
    footer = patch.size() - kFooterSize;
    if (footer < kMagicSize)
        return ApplyResult::failure(patch.size(), QStringLiteral("the patch ends before its header"));
    const qsizetype ownCrc = footer + kPatchCrcInFooter;
    if (le::at<quint32>(patch, ownCrc) != crc32Of(patch.constData(), ownCrc))
        return ApplyResult::failure(ownCrc, QStringLiteral("the patch's own CRC-32 is wrong: it is damaged"));
    pos = kMagicSize;
    for (uint64_t* number : numbers) {
        const qsizetype at = pos;
        if (!readNumber(patch, pos, footer, *number))
            return ApplyResult::failure(at, QStringLiteral("a number that does not end"));
    }
    if (const uint64_t targetSize = *numbers.begin()[1]; targetSize > static_cast<uint64_t>(kMaxImageSize))
        return ApplyResult::failure(kMagicSize,
                                    QStringLiteral("a target of %1 bytes, more than any SNES image").arg(targetSize));
    return {};
}

} // namespace zorvek::patches
