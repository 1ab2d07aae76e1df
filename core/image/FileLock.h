// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/image/IoResult.h"

#include <QString>

#include <chrono>

namespace zorvek {

enum class LockMode { Shared, Exclusive };

// How long a program waits for another one's step on the same image before
// it gives up, as a database's busy timeout does. A step takes milliseconds;
// this leaves room for a slow disk's syncs.
inline constexpr std::chrono::milliseconds kBusyWait{2000};

// The advisory lock on an image file that every step of every program holds
// exclusively, and every reader shares. It belongs to the open file behind
// the handle, not to the process: two handles of one program exclude each
// other as two programs do, and closing the handle lets go of it.
namespace filelock {

// Takes the lock in mode, or converts the one the handle holds; waits at
// most kBusyWait while another's lock is in the way. A file system without
// locks is taken as it always was: unlocked.
IoResult lock(int handle, LockMode mode, const QString& path);
void unlock(int handle);

} // namespace filelock
} // namespace zorvek
