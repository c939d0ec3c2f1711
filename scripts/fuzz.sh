#!/usr/bin/env bash
# Builds the libFuzzer programs of tests/fuzz with clang and runs each harness for a while:
#   scripts/fuzz.sh [SECONDS [HARNESS...]]      (default 20 s each, every harness)
# The build tree is build-fuzz (or $FUZZ_BUILD). New inputs gather in its fuzz-corpus/<harness>;
# an input that fails is kept in fuzz-artifacts/<harness>/ and its path printed, and the exit
# status is then 1. A hang is one input taking over a second; a reader that asks for 16 MB at
# once (no input is larger than 20 kB) fails as well. FUZZ_SEED fixes libFuzzer's random seed,
# so a run in CI explores the same inputs each time and does not fail on a stranger's change.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-20}"
shift || true
dir="${FUZZ_BUILD:-build-fuzz}"

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
# Optimised but with assertions, as fuzzing wants them.
CC=clang CXX=clang++ cmake -S . -B "$dir" -G Ninja -DWENDRIFT_WERROR=ON -DWENDRIFT_FUZZ=ON \
  -DWENDRIFT_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O2 -g" \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g" "${launcher[@]}" >/dev/null

selected() {
  [ $# -eq 1 ] && return 0
  local name="$1" wanted
  shift
  for wanted in "$@"; do
    [ "$wanted" = "$name" ] && return 0
  done
  return 1
}

list="$dir/fuzz-harnesses.list"
targets=()
while IFS='|' read -r name _; do
  if selected "$name" "$@"; then targets+=("fuzz_$name"); fi
done <"$list"
ninja -C "$dir" -j"$(nproc)" "${targets[@]}"

failed=0
while IFS='|' read -r name program max_len dict seeds; do
  selected "$name" "$@" || continue
  corpus="$dir/fuzz-corpus/$name"
  artifacts="$dir/fuzz-artifacts/$name"
  log="$artifacts.log"
  mkdir -p "$corpus" "$artifacts"
  folders=("$corpus")
  for seed in $seeds; do
    if [ -d "$seed" ]; then folders+=("$seed"); fi
  done
  options=(-max_total_time="$seconds" -timeout=1 -rss_limit_mb=2048 -malloc_limit_mb=16
           -max_len="$max_len" -use_value_profile=1 -artifact_prefix="$artifacts/"
           -print_final_stats=1)
  if [ -n "$dict" ]; then options+=(-dict="$dict"); fi
  if [ -n "${FUZZ_SEED:-}" ]; then options+=(-seed="$FUZZ_SEED"); fi
  if ASAN_OPTIONS=detect_leaks=1 "$program" "${options[@]}" "${folders[@]}" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]* ft: [0-9]*' "$log" | tail -1)
    echo "fuzz $name: ${runs:-?} runs in ${seconds} s, $coverage"
  else
    failed=1
    echo "fuzz $name FAILED; its log: $log"
    grep -E 'ERROR|SUMMARY|fuzz check|Test unit written|timeout' "$log" | head -20 || true
    for input in "$artifacts"/*; do
      if [ -f "$input" ]; then echo "reproducer: $input  (replay: $program $input)"; fi
    done
  fi
done <"$list"
exit $failed
