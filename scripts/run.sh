#!/usr/bin/env bash
# Installs what is needed, builds, lays out the sample program folder and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target xpprac sample_folder
exec build/program/xpprac
