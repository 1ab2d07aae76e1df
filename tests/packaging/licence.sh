#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in its first lines; pictures, the
# readme, the game-data tables (read line by line) and the Debian changelog
# and copyright (the licence is their subject) cannot.
set -euo pipefail
cd "$1"
git rev-parse --git-dir >/dev/null 2>&1 || { echo "not a git checkout: licence lines not checked"; exit 0; }
[ -f LICENSE ] && grep -q 'GNU GENERAL PUBLIC LICENSE' LICENSE || { echo "FAIL: no LICENSE" >&2; exit 1; }
missing=()
while IFS= read -r file; do
  [ -f "$file" ] || continue
  head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || missing+=("$file")
done < <(git ls-files -- ':!*.png' ':!*.md' ':!LICENSE' ':!data/[a-z]*.txt' ':!packaging/changelog' ':!packaging/copyright')
[ ${#missing[@]} -eq 0 ] || { printf 'FAIL: no SPDX line: %s\n' "${missing[@]}" >&2; exit 1; }
echo "every source file names its licence"
