#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the two Debian packages as a release, checks them as Debian's
# package checker does, and installs them: the command-line package must need
# no window library. Installs its tools first; run as root (CI does).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build-package}"
fail() { echo "FAIL: $*" >&2; exit 1; }

"$root/scripts/install-deps.sh" lintian
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DZORVEK_BUILD_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
cli=$(ls "$build"/zorvek-multi-editor-cli_*.deb)
gui=$(ls "$build"/zorvek-multi-editor_*.deb)

report=$(lintian --pedantic --tag-display-limit 0 "$cli" "$gui" 2>&1 | grep -v 'running with root privileges' || true)
[ -z "$report" ] || echo "$report"
! grep -q '^[EW]: ' <<<"$report" || fail "lintian reports errors or warnings"

depends=$(dpkg-deb -f "$cli" Depends)
grep -q libqt6core6 <<<"$depends" || fail "the command-line package does not depend on Qt Core: $depends"
! grep -Eq 'libqt6(gui|widgets)|libx|libgl|libwayland' <<<"$depends" || fail "the command-line package needs a window library: $depends"
grep -q "zorvek-multi-editor-cli (= $(dpkg-deb -f "$cli" Version))" <<<"$(dpkg-deb -f "$gui" Depends)" ||
  fail "the window's package does not depend on the command-line package"

# Installed, the headless program loads Qt Core and nothing of a window system.
export DEBIAN_FRONTEND=noninteractive
dpkg -i "$cli" >/dev/null
loads=$(ldd /usr/bin/zorvek-multi-editor-cli)
grep -q libQt6Core <<<"$loads" && ! grep -Eq 'libQt6(Gui|Widgets)|libX|libGL|libwayland' <<<"$loads" ||
  fail "the installed command-line program loads: $loads"
"$build/tools/make-demo-rom" "$build/package-check.smc" >/dev/null
zorvek-multi-editor-cli info "$build/package-check.smc" | grep -q 'KELVARNTHOSIA 5' || fail "the installed program does not run"
dpkg -i "$gui" >/dev/null
[ "$(zorvek-multi-editor --version | head -n 1)" = "$(zorvek-multi-editor-cli --version | head -n 1)" ] ||
  fail "the two installed programs disagree on their version"
# The program shows major.revision of the package's major.minor.revision.
version=$(dpkg-deb -f "$cli" Version)
[ "$(zorvek-multi-editor-cli --version | head -n 1)" = "Zorvek Multi Editor ${version%%.*}.${version##*.}" ] ||
  fail "the package's version $version is not the program's"
dpkg -r zorvek-multi-editor zorvek-multi-editor-cli >/dev/null
echo "both packages are clean and install"
