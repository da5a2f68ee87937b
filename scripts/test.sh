#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh build
cd build
ctest --output-on-failure -j "$(nproc)" --timeout 300
