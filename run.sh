#!/usr/bin/env bash
# Installs what is missing, builds in Release and starts Tavolix.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVOLIX_BUILD_TESTS=OFF -DTAVOLIX_BUILD_BENCH=OFF
cmake --build build-release
exec build-release/app/tavolix "$@"
