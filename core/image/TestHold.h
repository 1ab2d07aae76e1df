// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace zorvek::testhold {

// Built into test builds only, and inert unless ZORVEK_TEST_HOLD (a comma
// separated list) names point: then the program says "held at <point>" on
// standard error and waits for a line on standard input, so that a test
// can run another program while this one stands exactly there.
void reached(const char* point);

} // namespace zorvek::testhold
