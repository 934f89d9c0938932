#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts Tavolix.
#   ./run.sh           the program, for a real device
#   ./run.sh --demo    the program with a simulated device on COM5: press Start
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVOLIX_BUILD_TESTS=OFF -DTAVOLIX_BUILD_BENCH=OFF
cmake --build build-release

if [ "${1:-}" != "--demo" ]; then
  exec build-release/app/tavolix "$@"
fi
shift

# A sine between 1 and 9 at 200 lines per second on a pseudo-terminal mapped to COM5:
# the window's defaults (one channel, y from 0 to 10) show it as soon as Start is pressed.
link="${TMPDIR:-/tmp}/tavolix-demo-$$"
build-release/tools/tavolix-sim --link "$link" --channels 1 --wave sine \
  --amplitude 4 --offset 5 --period 400 --rate 200 --quiet >/dev/null &
sim=$!
trap 'kill "$sim" 2>/dev/null; wait "$sim" 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "$link" ] && break; sleep 0.1; done
echo "Simulated device on COM5 ($link): press Start."
TAVOLIX_COM5="$link" build-release/app/tavolix "$@"
