#!/usr/bin/env bash
# Configures and builds one build tree: scripts/build.sh DIR [CMAKE OPTIONS...]
# Extra ninja targets can be named in WENDRIFT_TARGETS (default: everything).
set -euo pipefail
cd "$(dirname "$0")/.."
dir="$1"
shift
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja -DWENDRIFT_WERROR=ON "${launcher[@]}" "$@" >/dev/null
# shellcheck disable=SC2086
ninja -C "$dir" -j"$(nproc)" ${WENDRIFT_TARGETS:-}
