#!/usr/bin/env bash
# Renders the programs' SVG icons (data/icons/*.svg) as the PNG sizes of the hicolor theme,
# into data/icons/hicolor/. Run it after changing an SVG; the PNGs are kept in the repository
# so that building needs no SVG renderer. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top/data/icons"
for svg in *.svg; do
  for size in 16 24 32 48 64 128 256; do
    mkdir -p "hicolor/${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "$svg" -o "hicolor/${size}x${size}/apps/${svg%.svg}.png"
  done
done
echo "render-icons: $(ls -1 *.svg | wc -l) icons in 7 sizes"
