// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

namespace zorvek {

// The time as the program sees it: the stamp's date and the length of a
// waited second. Tests replace it, so neither the date nor the waits depend
// on the real clock.
class Clock {
public:
    virtual ~Clock() = default;

    virtual QDateTime now() = 0;

    // Length of one status-text second in milliseconds; tests shorten it.
    virtual int millisecondsPerSecond() = 0;
};

} // namespace zorvek
