// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target over the IPS, BPS and UPS readers on arbitrary patches:
// nothing may crash, read out of bounds or grow past the largest image; a
// refusal must name a byte of the patch.

#include "FuzzCheck.h"
#include "patches/BpsPatch.h"
#include "patches/IpsPatch.h"
#include "patches/PatchApply.h"
#include "patches/PatchNumbers.h"
#include "patches/UpsPatch.h"

#include <cstdint>

using namespace zorvek;
using namespace zorvek::patches;

namespace {

// The footer's source and own CRC-32 made right, so that the mutations reach
// the actions instead of stopping at the checks.
QByteArray sealed(QByteArray patch, const QByteArray& source)
{
    if (patch.size() < 16)
        return patch;
    QByteArray body = patch.left(patch.size() - 12);
    le::append<quint32>(body, crc32Of(source));
    body += patch.mid(patch.size() - 8, 4);
    le::append<quint32>(body, crc32Of(body));
    return body;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1 || size > (1u << 20))
        return 0;
    const uint8_t mode = data[0];
    QByteArray patch(reinterpret_cast<const char*>(data + 1), static_cast<int>(size - 1));
    QByteArray source(4096 + (mode >> 4) * 512, '\0');
    for (qsizetype i = 0; i < source.size(); ++i)
        source[i] = static_cast<char>(i * 7);
    const char* magic[] = {"PATCH", "BPS1", "UPS1"};
    const int format = (mode & 3) % 3;
    if (mode & 4)
        patch.prepend(magic[format]);
    if (mode & 8)
        patch = sealed(patch, source);

    const auto checked = [&](const ApplyResult& r) {
        require(r.ok() || r.wrongSource || (r.at >= 0 && r.at <= patch.size()));
        require(r.target.size() <= kMaxImageSize);
    };
    checked(bps::apply(patch, source));
    checked(ups::apply(patch, source));
    const ips::Parsed parsed = ips::read(patch);
    checked(parsed.problem);
    if (parsed.problem.ok())
        require(ips::apply(patch, parsed, source).size() <= kMaxImageSize + 0xFFFF);
    const PatchRun run = applyPatches(source, {{QStringLiteral("fuzz"), patch}});
    require(run.ok() || !run.error.isEmpty());
    return 0;
}
