// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QIODevice;

namespace zorvek {

// The system's words for an error number ("No space left on device").
QString systemErrorText(int code);

// Why a read or write on device failed, for people. Qt reports a write the
// system took only part of (a disk filling up, a file size limit) as
// "Unknown error"; the system's reason is then in the error number the
// failing call left, which callers take right after it (errno, cleared
// before the call) and pass as code. Never "Unknown error".
QString failureReason(const QIODevice& device, int code);

} // namespace zorvek
