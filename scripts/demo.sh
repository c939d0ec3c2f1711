#!/usr/bin/env bash
# Installs what is missing, builds the application and starts it playing the bundled demo drive.
# Without a display it renders the five views after the whole drive to build/demo/*.png instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
WENDRIFT_TARGETS="wendrift wendrift-cli demo_log" scripts/build.sh build

demo=build/demo
# The demo keeps its settings, waypoints and track apart from yours, and starts straight into
# the views (your own first start still shows the disclaimer and the Initial Setup).
mkdir -p "$demo/config" "$demo/data"
if [ ! -f "$demo/config/Wendrift.ini" ]; then
  printf '[Settings]\nNoDisclaimer=2\nFirst%%20Time%%20Communication%%20Setup=0\n' \
    >"$demo/config/Wendrift.ini"
fi
export XDG_DATA_HOME="$PWD/$demo/data"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display here (DISPLAY and WAYLAND_DISPLAY are unset): writing pictures of the five views instead."
  for tab in GPS Panel Trip Map Analysis; do
    out="$demo/$(echo "$tab" | tr '[:upper:]' '[:lower:]').png"
    build/src/app/ui/wendrift --config-dir "$demo/config" --snapshot "$out" --tab "$tab" \
      --feed "$demo/demo.nmea" 2>/dev/null
    echo "$out"
  done
  exit 0
fi
exec build/src/app/ui/wendrift --config-dir "$demo/config" --playback "$demo/demo.nmea"
