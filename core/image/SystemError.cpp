// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/SystemError.h"

#include <QCoreApplication>
#include <QIODevice>

#include <system_error>

namespace zorvek {

QString systemErrorText(int code) { return QString::fromLocal8Bit(std::generic_category().message(code)); }

QString failureReason(const QIODevice& device, int code)
{
    const QString qtReason = device.errorString();
    // QIODevice's stand-in when no reason was set, in whatever language Qt speaks.
    const QString unknown = QCoreApplication::translate("QIODevice", "Unknown error");
    if (!qtReason.isEmpty() && qtReason != unknown)
        return qtReason;
    if (code != 0)
        return systemErrorText(code);
    return QStringLiteral("the system took only part of the data and gave no reason");
}

} // namespace zorvek
