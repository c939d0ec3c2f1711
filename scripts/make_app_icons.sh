#!/usr/bin/env bash
# Renders the application icon resources/icons/wendrift.svg into the PNG sizes of the desktop's
# icon theme, resources/icons/hicolor/<N>x<N>/apps/wendrift.png. The PNGs are checked in, so a
# build needs no SVG renderer; run this again after changing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."
svg=resources/icons/wendrift.svg
for size in 16 32 48 64 128 256; do
  out="resources/icons/hicolor/${size}x${size}/apps/wendrift.png"
  mkdir -p "$(dirname "$out")"
  rsvg-convert --width "$size" --height "$size" --output "$out" "$svg"
done
