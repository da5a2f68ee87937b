#!/usr/bin/env bash
# Runs the whole suite N times (default 5) with as many tests at once as there are cores while
# one busy loop per core runs beside it, as on a loaded machine. Names the tests that failed in
# each run and exits non-zero if any failed.
#   bash scripts/test-under-load.sh [N]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}
bash scripts/build.sh build

cores=$(nproc)
busy=()
stop_busy() {
  for p in "${busy[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${busy[@]}"; do wait "$p" 2>/dev/null || true; done
  busy=()
}
trap stop_busy EXIT
trap 'exit 130' INT TERM
for _ in $(seq "$cores"); do
  ( while :; do :; done ) &
  busy+=($!)
done

logs=build/under-load
mkdir -p "$logs"
bad=0
for run in $(seq "$runs"); do
  start=$(date +%s)
  if (cd build && ctest -j "$cores" --timeout 300 --output-on-failure >"../$logs/run-$run.log" 2>&1); then
    echo "run $run of $runs: all passed ($(( $(date +%s) - start )) s)"
  else
    bad=1
    echo "run $run of $runs: FAILED ($(( $(date +%s) - start )) s), log $logs/run-$run.log:"
    failed=build/Testing/Temporary/LastTestsFailed.log
    if [ -s "$failed" ]; then
      sed 's/^[0-9]*:/  /' "$failed"
    else
      tail -n 20 "$logs/run-$run.log"
    fi
  fi
done
echo "$runs runs on $cores cores with $cores busy loops beside them"
exit "$bad"
