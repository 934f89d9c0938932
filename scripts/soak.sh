#!/usr/bin/env bash
# Soak run: the real main window (offscreen) in Trend mode on tavolix-sim at a high rate
# for a while. Passes when the resident memory stays flat and every line the simulator
# wrote was counted.
#   scripts/soak.sh [minutes] [lines per second]      (default 10 minutes at 50000)
# The memory is flat when the largest sample of the second half exceeds the largest of
# the first samples after the warm-up (the first tenth of the run, at least 30 s) by no
# more than 2 %, or 2 MiB where that is more.
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-10}
rate=${2:-50000}
seconds=$(awk -v m="$minutes" 'BEGIN { printf "%d", m * 60 }')
[ "$seconds" -ge 10 ] || { echo "soak.sh: run for at least 10 seconds" >&2; exit 2; }

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target tavolix_soak_probe tavolix-sim >/dev/null

log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "Trend mode at $rate lines/s for $seconds s; samples: seconds, lines counted, resident KiB"
QT_QPA_PLATFORM=offscreen build/bench/e2e/tavolix_soak_probe "$seconds" "$rate" | tee "$log"

awk -v seconds="$seconds" -v expected="$((seconds * rate))" '
  $1 == "sample" { t[n] = $2; count[n] = $3; rss[n] = $4; n++ }
  $1 == "sent" { sent = $2; counted = $4 }
  END {
    warmup = seconds / 10 < 30 ? 30 : seconds / 10
    baseline = 0; taken = 0; late = 0
    for (i = 0; i < n; i++) {
      if (t[i] >= warmup && taken < 5) { if (rss[i] > baseline) baseline = rss[i]; taken++ }
      if (t[i] >= seconds / 2 && rss[i] > late) late = rss[i]
    }
    margin = baseline * 0.02 < 2048 ? 2048 : baseline * 0.02
    flat = taken > 0 && late <= baseline + margin
    complete = sent == expected && counted == sent
    printf "resident after warm-up %d KiB, largest in the second half %d KiB (allowed %d): %s\n",
           baseline, late, baseline + margin, flat ? "flat" : "GROWING"
    printf "lines written %d of %d, counted %d: %s\n", sent, expected, counted, complete ? "all counted" : "LOST"
    printf "rate taken in: %.0f lines/s\n", (t[n - 1] > 0 ? count[n - 1] / t[n - 1] : 0)
    exit flat && complete ? 0 : 1
  }' "$log"
