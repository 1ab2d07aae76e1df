// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fixtures/RomFixture.h"

namespace zorvek::demo {

// A whole image with a Super MagiCom header, the right check word, a valid
// checksum and invented but plausible values in every monster and character
// record.
// The same every time.
test::RomFixture demoImage();

} // namespace zorvek::demo
