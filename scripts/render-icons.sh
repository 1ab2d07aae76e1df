#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the icon theme's bitmap sizes from the drawn SVGs; the PNGs are kept
# in the repository so a build needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../packaging"
for svg in io.github.quenmark.ZorvekMultiEditor.svg io.github.quenmark.ZorvekMultiEditor-rom.svg; do
  for size in 16 22 24 32 48 64 128 256; do
    mkdir -p "icons/${size}x${size}"
    rsvg-convert -w "$size" -h "$size" "$svg" -o "icons/${size}x${size}/${svg%.svg}.png"
  done
done
