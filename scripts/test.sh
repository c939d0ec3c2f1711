#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a plain build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer, and the serial-link tests with ThreadSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

run_tests() {
  local dir="$1"
  shift
  echo "== tests in $dir"
  ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@"
}

scripts/build.sh build
run_tests build

scripts/build.sh build-asan -DWENDRIFT_SANITIZE=ON -DWENDRIFT_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" run_tests build-asan

if grep -q 'wendrift_test_suite(link' tests/gps/CMakeLists.txt; then
  cmake -S . -B build-tsan -G Ninja -DWENDRIFT_WERROR=ON -DWENDRIFT_TSAN=ON -DWENDRIFT_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
  ninja -C build-tsan -j"$(nproc)" test_link
  TSAN_OPTIONS=halt_on_error=1 run_tests build-tsan -R '^link\.'
fi
