#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch prefix and checks what the desktop,
# man and bash find there: the entry takes a file, the file types reach the
# MIME database, the manual page and the completion are where they look.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() { echo "FAIL: $*" >&2; exit 1; }
entry=$prefix/share/applications/zorvek-multi-editor.desktop
grep -qx 'Exec=zorvek-multi-editor %f' "$entry" || fail "the desktop entry takes no file"
grep -qx 'MimeType=application/vnd.nintendo.snes.rom;' "$entry" || fail "the desktop entry names no file type"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$entry" || fail "desktop-file-validate refuses the entry"
else
  echo "desktop-file-validate not installed: entry not validated"
fi

[ -x "$prefix/bin/zorvek-multi-editor" ] || fail "no executable"
completion=$prefix/share/bash-completion/completions/zorvek-multi-editor
[ -f "$completion" ] || fail "no bash completion"
bash -n "$completion" || fail "the completion is not valid bash"

package=$prefix/share/mime/packages/zorvek-multi-editor.xml
[ -f "$package" ] || fail "no MIME package"
if command -v update-mime-database >/dev/null; then
  update-mime-database "$prefix/share/mime" 2>/dev/null
  for glob in '*.swc' '*.fig'; do
    grep -qF "application/vnd.nintendo.snes.rom:$glob" "$prefix/share/mime/globs" || fail "$glob is not an SNES image"
  done
fi

if [ -f "$build/zorvek-multi-editor.1" ]; then
  page=$prefix/share/man/man1/zorvek-multi-editor.1
  [ -f "$page" ] || fail "manual page not installed"
  text=$(sed 's/\\-/-/g' "$page")  # roff writes a hyphen as \-
  for word in add-header remove-header make-patch fix-checksum --force --type 'Exit codes'; do
    grep -qF -- "$word" <<<"$text" || fail "the manual page does not mention $word"
  done
else
  echo "help2man not installed: no manual page to check"
fi
echo "installed files are in place"
