#!/usr/bin/env bash
# Builds the fuzz targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) in build-fuzz and
# runs each over its corpus in fuzz/corpus/<target>: every kept input must pass. Seconds, not a
# fuzzing run; for one: build-fuzz/fuzz/fuzz_<target> fuzz/corpus/<target> -max_total_time=600.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="${XP_FUZZ_CXX:-clang++-14}" \
      -DXP_FUZZ=ON -DXP_BUILD_TESTS=OFF -DXP_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz --target xp_fuzz
export QT_QPA_PLATFORM=offscreen
failed=()
for dir in fuzz/corpus/*/; do
  name=$(basename "$dir")
  target=build-fuzz/fuzz/fuzz_$name
  if [ ! -x "$target" ]; then
    echo "no fuzz target for corpus $name" >&2
    failed+=("$name")
    continue
  fi
  echo "== $name: $(find "$dir" -type f | wc -l) inputs"
  if ! "$target" -runs=0 -timeout=30 -rss_limit_mb=2048 "$dir" >"build-fuzz/replay-$name.log" 2>&1; then
    tail -n 40 "build-fuzz/replay-$name.log" >&2
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz corpus replay failed: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz corpus replay: all passed"
