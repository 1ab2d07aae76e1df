#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# Qt's own libraries are not instrumented; leaks they keep until exit are theirs.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
BUILD_DIR="${BUILD_DIR:-$root/build-sanitize}" exec "$root/scripts/run-tests.sh" -DZORVEK_SANITIZE=ON
