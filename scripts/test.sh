#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test twice: as built for use (build/)
# and built with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/, no benchmarks).
# The sanitizer build's test programs then run once more each, all their tests in one process in
# a shuffled order (the programs side by side): a test that leaves queued work or changed state
# behind trips the tests that run after it.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
bash scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300)
bash scripts/build.sh build-asan -DXP_SANITIZE=ON -DXP_BUILD_BENCH=OFF
(cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 600)

logs=$(mktemp -d)
pids=()
names=()
for program in build-asan/tests/test_*; do
    [[ -f $program && -x $program ]] || continue
    name=$(basename "$program")
    QT_QPA_PLATFORM=offscreen timeout 900 "$program" --gtest_shuffle >"$logs/$name.log" 2>&1 &
    pids+=($!)
    names+=("$name")
done
failed=0
for i in "${!pids[@]}"; do
    if ! wait "${pids[$i]}"; then
        echo "${names[$i]}: failed with all its tests in one process" >&2
        # The order to run again with --gtest_shuffle --gtest_random_seed=N.
        grep -m1 "Randomizing tests' orders with a seed of" "$logs/${names[$i]}.log" >&2 || true
        tail -n 60 "$logs/${names[$i]}.log" >&2
        failed=1
    fi
done
rm -rf "$logs"
if ((failed)); then
    exit 1
fi
echo "${#names[@]} test programs passed with all their tests in one process"
