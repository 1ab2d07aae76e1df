// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/SourceCheck.h"

#include "patches/PatchNumbers.h"

namespace zorvek::patches {

namespace {

QString hex(uint32_t value)
{
    return QStringLiteral("0x%1").arg(QString::number(value, 16).toUpper().rightJustified(8, QLatin1Char('0')));
}

} // namespace

ApplyResult checkSource(const QByteArray& source, uint64_t size, uint32_t crc)
{
    ApplyResult wrong;
    wrong.wrongSource = true;
    if (size != static_cast<uint64_t>(source.size())) {
        wrong.error = QStringLiteral(
                          "this patch is for another version of the image: expected %1 bytes of ROM "
                          "data, found %2")
                          .arg(size)
                          .arg(source.size());
        return wrong;
    }
    if (const uint32_t found = crc32Of(source); found != crc) {
        wrong.error = QStringLiteral("this patch is for another version of the image: expected CRC-32 %1, found %2")
                          .arg(hex(crc), hex(found));
        return wrong;
    }
    return {};
}

ApplyResult checkTarget(const QByteArray& target, uint32_t crc, qint64 at)
{
    if (const uint32_t found = crc32Of(target); found != crc)
        return ApplyResult::failure(
            at, QStringLiteral("the result's CRC-32 is %1, not the %2 the patch expects").arg(hex(found), hex(crc)));
    return {};
}

} // namespace zorvek::patches
