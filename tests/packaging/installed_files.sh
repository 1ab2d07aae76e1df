#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a scratch tree and checks what the desktop, the
# software centres, man and bash find there: the entry and the metadata pass
# their validators, each image extension gets the SNES type from the MIME
# database, the manual pages and the completions are where they look.
set -euo pipefail
build=$1
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
DESTDIR=$tree cmake --install "$build" --prefix /usr >/dev/null
share=$tree/usr/share
id=io.github.quenmark.ZorvekMultiEditor

fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null || { echo "$1 not installed: $2 not checked"; return 1; }; }
entry=$share/applications/$id.desktop
grep -qx 'Exec=zorvek-multi-editor %f' "$entry" || fail "the desktop entry takes no file"
grep -qx 'MimeType=application/vnd.nintendo.snes.rom;' "$entry" || fail "the desktop entry names no file type"
if need desktop-file-validate "the desktop entry"; then
  [ -z "$(desktop-file-validate "$entry" 2>&1)" ] || fail "desktop-file-validate: $(desktop-file-validate "$entry" 2>&1)"
fi
if need appstreamcli "the AppStream metadata"; then
  appstreamcli validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml" >/dev/null ||
    fail "appstreamcli: $(appstreamcli validate --pedantic --no-net "$share/metainfo/$id.metainfo.xml")"
fi
for size in 16 22 24 32 48 64 128 256; do
  for icon in apps/$id mimetypes/$id-rom; do
    [ "$(file -b "$share/icons/hicolor/${size}x$size/$icon.png")" = "PNG image data, $size x $size, 8-bit/color RGBA, non-interlaced" ] ||
      fail "no $size pixel icon $icon"
  done
done

for program in zorvek-multi-editor zorvek-multi-editor-cli; do
  [ -x "$tree/usr/bin/$program" ] || fail "no executable $program"
  bash -n "$share/bash-completion/completions/$program" || fail "no valid completion for $program"
  "$tree/usr/bin/$program" --version | grep -q '^License GPL-3.0-or-later' || fail "$program --version names no licence"
  if [ -f "$build/$program.1" ]; then
    text=$(zcat "$share/man/man1/$program.1.gz" | sed 's/\\-/-/g')  # roff writes a hyphen as \-
    for word in add-header remove-header make-patch fix-checksum --force --type 'Exit codes' \
                '.SH FILES' 'Quenmark-Soft/Zorvek Multi Editor.conf' .bak -journal .cache '.SH EXAMPLES'; do
      grep -qF -- "$word" <<<"$text" || fail "the manual page of $program does not mention $word"
    done
    # The page's footer shows the version as --version does.
    version=$("$tree/usr/bin/$program" --version | head -n 1 | awk '{print $NF}')
    grep -q "^\.TH .*\"$program $version\"" <<<"$text" || fail "the manual page's version is not $version"
  else
    echo "help2man not installed: no manual page to check"
  fi
done

# Images of each copier type and without a header, named by their usual
# extensions and by none, typed by shared-mime-info's reader as the desktop
# would type them; an XFig drawing stays one.
if need update-mime-database "the file types" && need gio "the file types"; then
  XDG_DATA_DIRS=$share:/usr/share update-mime-database "$share/mime"
  images=$tree/images
  mkdir "$images"
  "$build/tools/make-demo-rom" "$images/demo.smc" >/dev/null
  cli=$tree/usr/bin/zorvek-multi-editor-cli
  "$cli" remove-header "$images/demo.smc" "$images/game.sfc" 2>/dev/null
  for type in smc swc fig; do
    "$cli" add-header "$images/game.sfc" "$images/game.$type" --type "$type" 2>/dev/null
    cp "$images/game.$type" "$images/game-$type"
  done
  printf '#FIG 3.2\nLandscape\n' >"$images/drawing.fig"
  typed() { XDG_DATA_HOME=$tree/none XDG_DATA_DIRS=$share:/usr/share gio info -a standard::content-type "$1" |
              sed -n 's/^ *standard::content-type: //p'; }
  for image in game.smc game.swc game.fig game.sfc game-smc game-swc game-fig; do
    [ "$(typed "$images/$image")" = application/vnd.nintendo.snes.rom ] ||
      fail "$image is typed $(typed "$images/$image")"
  done
  [ "$(typed "$images/drawing.fig")" = image/x-xfig ] || fail "an XFig drawing is typed $(typed "$images/drawing.fig")"
fi
echo "installed files are in place"
