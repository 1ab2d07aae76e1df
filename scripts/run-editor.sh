#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the editor, writes the demo image and starts the editor on it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZORVEK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target zorvek-multi-editor make-demo-rom
"$build/tools/make-demo-rom" "$build/demo.smc"
# Qt's own options (such as -platform xcb) may come first.
exec "$build/zorvek-multi-editor" "$@" "$build/demo.smc"
