#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build needs, only those that are missing.
set -euo pipefail

# Extra packages may be named on the command line (the fuzz build adds clang).
# help2man writes the manual pages; the installed files' test checks the desktop
# entry, the AppStream metadata and the file types with the desktop's own tools;
# clang-format checks the sources' layout.
packages=(build-essential cmake qt6-base-dev libgl-dev libgtest-dev libbenchmark-dev zlib1g-dev strace help2man
          desktop-file-utils appstream shared-mime-info libglib2.0-bin file clang-format "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
