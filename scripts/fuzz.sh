#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for a bounded time.
#   scripts/fuzz.sh [seconds-per-target]     default 60
# Each target grows its corpus in build-fuzz/corpus/<target>/, seeded from fuzz/seeds/<target>/.
# A crashing input is kept in build-fuzz/crashes/<target>/; the script names it and exits 1.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[[ "$seconds" =~ ^[0-9]+$ ]] || { echo "usage: $0 [seconds-per-target]" >&2; exit 2; }

scripts/install-deps.sh clang-14 libclang-rt-14-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVOLIX_FUZZ=ON -DTAVOLIX_BUILD_TESTS=OFF -DTAVOLIX_BUILD_BENCH=OFF
cmake --build build-fuzz --target fuzz_targets

export QT_QPA_PLATFORM=offscreen
# Leaks inside the system's font and graphics libraries are theirs, not ours.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=0
for target in line_fuzzer number_fuzzer graph_file_fuzzer; do
  corpus=build-fuzz/corpus/$target
  crashes=build-fuzz/crashes/$target
  mkdir -p "$corpus" "$crashes"
  cp -n fuzz/seeds/$target/* "$corpus/" 2>/dev/null || true
  options=(-max_total_time="$seconds" -timeout=30 -artifact_prefix="$crashes/" -print_final_stats=1)
  [ -f fuzz/$target.dict ] && options+=(-dict=fuzz/$target.dict)
  echo "== $target for ${seconds}s"
  before=$(ls "$crashes" | wc -l)
  if ! build-fuzz/fuzz/$target "${options[@]}" "$corpus" > "build-fuzz/$target.log" 2>&1; then
    failed=1
    tail -n 60 "build-fuzz/$target.log"
    if [ "$(ls "$crashes" | wc -l)" -gt "$before" ]; then
      echo "$target crashed on: $(ls -t "$crashes"/* | head -n 1)"
    else
      echo "$target failed without a crashing input; see build-fuzz/$target.log"
    fi
  else
    grep -E "^(Done|stat::number_of_executed_units)" "build-fuzz/$target.log" || true
  fi
done
exit $failed
