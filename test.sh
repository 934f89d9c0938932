#!/usr/bin/env bash
# Installs what is missing, builds in build/ and runs the whole test suite.
#   ./test.sh              the suite
#   ./test.sh --sanitize   the suite under AddressSanitizer + UndefinedBehaviorSanitizer (build-asan/),
#                          and the threaded tests (serial port, main window) under ThreadSanitizer (build-tsan/)
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

if [ "${1:-}" != "--sanitize" ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
  cmake --build build
  exec ctest --test-dir build --output-on-failure -j "$jobs"
fi

# Leaks inside the system's font and graphics libraries are theirs, not ours.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVOLIX_SANITIZE=address -DTAVOLIX_BUILD_BENCH=OFF
cmake --build build-asan
ctest --test-dir build-asan --output-on-failure -j "$jobs"

export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:suppressions=$PWD/scripts/tsan.supp"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVOLIX_SANITIZE=thread -DTAVOLIX_BUILD_BENCH=OFF
cmake --build build-tsan --target threaded_tests
ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L threads
