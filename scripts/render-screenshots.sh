#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the windows offscreen on the demo image into docs/ for the README,
# the patch preview with a patch made on the spot.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZORVEK_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target make-demo-rom render-windows >/dev/null
"$build/tools/make-demo-rom" "$build/demo.smc" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/tools/render-windows" "$build/demo.smc" "$root/docs"
