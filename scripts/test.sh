#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a plain build, once with
# AddressSanitizer and UndefinedBehaviorSanitizer, the serial-link tests with ThreadSanitizer,
# and then each fuzz harness for 20 seconds (clang).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

step_start=$SECONDS
step_done() {
  echo "== $1 took $((SECONDS - step_start)) s"
  step_start=$SECONDS
}

run_tests() {
  local dir="$1"
  shift
  echo "== tests in $dir"
  ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" "$@"
}

scripts/build.sh build
run_tests build
step_done "plain build and tests"

scripts/build.sh build-asan -DWENDRIFT_SANITIZE=ON -DWENDRIFT_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" run_tests build-asan
step_done "ASan/UBSan build and tests"

if grep -q 'wendrift_test_suite(link' tests/gps/CMakeLists.txt; then
  cmake -S . -B build-tsan -G Ninja -DWENDRIFT_WERROR=ON -DWENDRIFT_TSAN=ON -DWENDRIFT_BENCH=OFF \
    -DCMAKE_BUILD_TYPE=Debug >/dev/null
  ninja -C build-tsan -j"$(nproc)" test_link
  TSAN_OPTIONS=halt_on_error=1 run_tests build-tsan -R '^link\.'
  step_done "TSan build and link tests"
fi

# A crash, hang or leak fails the run and names the input that caused it.
if echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, long) { return 0; }' |
  clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
  FUZZ_SEED=1 scripts/fuzz.sh 20
  step_done "fuzzing"
else
  echo "== fuzzing skipped: no clang with libFuzzer"
fi
