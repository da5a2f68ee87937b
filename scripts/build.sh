#!/usr/bin/env bash
# Installs what is needed and builds everything into a build folder.
#   bash scripts/build.sh                       # build/
#   bash scripts/build.sh build-asan -DXP_SANITIZE=ON
# The first argument is the build folder (default build); the rest go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift $(( $# > 0 ? 1 : 0 ))
bash scripts/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir"
