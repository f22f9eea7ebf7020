#!/usr/bin/env bash
# Installs what is missing, builds and runs every test:
#   clang-format check of the tracked sources
#   dev build (warnings as errors) -> whole suite but the random-input test
#   Windows cross build -> import check, unit and end-to-end tests under Wine, the zip
#     (scripts/test-windows.sh; uses the dev build's simulated drive and tovamo-cli)
#   AddressSanitizer + UndefinedBehaviorSanitizer -> whole suite, with the random-input
#     test of the desktop program (label "robust", 30 s, fixed seed)
#   ThreadSanitizer -> the threaded tests (label "threaded")
#   libFuzzer targets -> a short run of each
#   release build -> Debian package and install checks (scripts/check-install.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
export CTEST_OUTPUT_ON_FAILURE=1

run_preset() {
    local preset=$1; shift
    echo "=== $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build "build/$preset" -j "$jobs"
}

echo "=== format"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror

run_preset dev
ctest --test-dir build/dev -j "$jobs" -LE robust "$@"

scripts/test-windows.sh

run_preset asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan -j "$jobs" "$@"

run_preset tsan
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build/tsan -j "$jobs" -L threaded "$@"

run_preset fuzz
scripts/fuzz.sh 15

echo "=== install"
scripts/check-install.sh
echo "=== all tests passed"
