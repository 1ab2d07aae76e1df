// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/monsters/MonsterSave.h"

#include "core/text/NumberText.h"
#include "core/monsters/MonsterFields.h"
#include "core/monsters/MonsterRecord.h"

namespace zorvek::monsters {

CheckedEntries checkEntries(const MonsterEntries& e)
{
    MonsterValues values;
    for (const fields::Field& f : fields::all()) {
        uint16_t& number = values.numbers[static_cast<size_t>(fields::indexOf(f))];
        if (f.flags) {
            number = e.*f.flags;
        } else if (f.text) {
            const std::optional<int64_t> n = numbertext::toFieldValue(e.*f.text, {0, fields::capacity(f)});
            if (!n)
                return {std::nullopt, QString::fromLatin1(f.label), e.*f.text, fields::capacity(f)};
            number = static_cast<uint16_t>(*n);
        }
    }
    return {values, {}, {}, 0};
}

QString refusalMessage(const CheckedEntries& refused)
{
    return QStringLiteral(
               "%1 cannot hold \"%2\": it takes a whole number from 0 to %3.\n"
               "Nothing has been saved; your edits are still in the window.")
        .arg(refused.field, refused.text)
        .arg(refused.maximum);
}

IoResult writeValues(MonsterRecord& record, const MonsterValues& values)
{
    for (const fields::Field& f : fields::all()) {
        if (!f.text && !f.flags)
            continue;
        const uint16_t number = values.numbers[static_cast<size_t>(fields::indexOf(f))];
        const IoResult result = f.kind == fields::Kind::Word ? record.setWordAt(f.offset, number)
                                                             : record.setByteAt(f.offset, static_cast<uint8_t>(number));
        if (!result.ok())
            return result;
    }
    return IoResult::success();
}

} // namespace zorvek::monsters
