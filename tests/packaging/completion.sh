#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Asks the bash completion what it offers at a few places of a command line.
set -euo pipefail
source "$1"
cd "$(mktemp -d)"
touch game.sfc info.smc
fail() { echo "FAIL: $*" >&2; exit 1; }

offers() {  # the words of the line, the last one being completed
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _zorvek_multi_editor
  printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

[ "$(offers zorvek-multi-editor add)" = "add-header " ] || fail "commands: $(offers zorvek-multi-editor add)"
[ "$(offers zorvek-multi-editor i)" = "import info info.smc " ] || fail "first word: $(offers zorvek-multi-editor i)"
[ "$(offers zorvek-multi-editor -platform xcb g)" = "game.sfc " ] || fail "after Qt options"
[ "$(offers zorvek-multi-editor add-header game.sfc --)" = "--force --help --type --version " ] ||
  fail "add-header options: $(offers zorvek-multi-editor add-header game.sfc --)"
[ "$(offers zorvek-multi-editor add-header game.sfc out.smc --type s)" = "smc swc " ] || fail "--type"
[ "$(offers zorvek-multi-editor make-patch a b c --format "")" = "bps ips " ] || fail "--format"
[ "$(offers zorvek-multi-editor import game.sfc --d)" = "--dry-run " ] || fail "import options"
[ "$(offers zorvek-multi-editor apply-patch game.sfc p.ips --o)" = "--output " ] || fail "apply-patch options"
[ "$(offers zorvek-multi-editor export game.sfc --monsters g)" = "game.sfc " ] || fail "table files"
echo "completion offers what it should"
