// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/image/TestHold.h"

#ifdef ZORVEK_TEST_HOOKS
#include <QByteArray>
#include <QList>

#include <cstdio>
#endif

namespace zorvek::testhold {

#ifdef ZORVEK_TEST_HOOKS
void reached(const char* point)
{
    if (!qgetenv("ZORVEK_TEST_HOLD").split(',').contains(QByteArray(point)))
        return;
    std::fprintf(stderr, "held at %s\n", point);
    std::fflush(stderr);
    for (int c = std::getchar(); c != EOF && c != '\n'; c = std::getchar()) { }
}
#else
void reached(const char*) { }
#endif

} // namespace zorvek::testhold
