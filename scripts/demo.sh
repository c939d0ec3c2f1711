#!/usr/bin/env bash
# Installs what is missing, builds Wendrift and runs it on the bundled demo drive.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=RelWithDebInfo
build/src/cli/wendrift-cli decode build/demo/demo.nmea
