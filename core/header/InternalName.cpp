// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/header/InternalName.h"

#include "core/text/SingleByteText.h"

namespace zorvek::internalname {

QString read(const RomImage& rom) { return fromSingleBytes(rom.readBytes(kOffset, kLength)); }

IoResult write(RomImage& rom, const QString& name)
{
    if (auto r = rom.writeBytes(kOffset, QByteArray(kLength, ' ')); !r.ok())
        return r;
    const QByteArray bytes = toSingleBytes(name).left(kLength);
    if (bytes.isEmpty())
        return IoResult::success();
    return rom.writeBytes(kOffset, bytes);
}

} // namespace zorvek::internalname
