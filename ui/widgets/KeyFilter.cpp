// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/widgets/KeyFilter.h"

namespace zorvek::ui::keyfilter {

bool acceptsTypedCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return u == 8 || u == '.' || (u >= '0' && u <= '9');
}

bool isNumericText(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() == 8 || !acceptsTypedCharacter(c))
            return false;
    return true;
}

} // namespace zorvek::ui::keyfilter
