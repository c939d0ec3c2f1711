#!/usr/bin/env bash
# Renders the README's pictures of the five views into docs/ with the snapshot mode: the demo
# drive fed in, a fixed clock and the Fusion style, so the pictures are the same on every machine.
# Needs a built tree: scripts/build.sh build (or scripts/demo.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p docs "$work/config" "$work/data"
export XDG_DATA_HOME="$work/data"
for tab in GPS Panel Trip Map Analysis; do
  out="docs/$(echo "$tab" | tr '[:upper:]' '[:lower:]').png"
  build/src/app/ui/wendrift --config-dir "$work/config" --snapshot "$out" --tab "$tab" \
    --size 480x536 --dpi 96 --feed build/demo/demo.nmea --now 1716040800 2>/dev/null
  echo "$out"
done
# The sky page (two taps) of a receiver that reports four constellations.
build/src/app/ui/wendrift --config-dir "$work/config" --snapshot docs/gps-gnss.png --tab GPS \
  --size 480x536 --dpi 96 --tap 10,300 --tap 10,300 \
  --feed ../shared/testdata/nmea/ublox-zed-f9p-nmea.log 2>/dev/null
echo docs/gps-gnss.png
build/src/app/ui/wendrift --config-dir "$work/config" --snapshot "$work/unused.png" \
  --window-snapshot docs/window.png --feed build/demo/demo.nmea --now 1716040800 2>/dev/null
echo docs/window.png
