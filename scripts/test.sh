#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test twice: as built for use (build/)
# and built with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/, no benchmarks).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300)
bash scripts/build.sh build-asan -DXP_SANITIZE=ON -DXP_BUILD_BENCH=OFF
(cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 600)
