#!/usr/bin/env bash
# Whole-process start-up, side by side in one run under one Xvfb server: from exec to the home
# window shown (the program on a copy of the sample program folder, start-up window and its
# hand-over included) against a bare frameless 800 x 600 window built by the project
# (bench_bare_window, one line of Chinese text in the same substituted fonts). Both are started
# with XP_EXIT_WHEN_SHOWN set, print the moment their window is exposed and painted, and end.
# Runs alternate; prints per run and the medians, their ratio and difference, and each one's
# peak resident memory (median of the runs). Given another build folder (of another commit, say),
# its program runs too, in turn with the others, and the difference of the two programs' medians
# is printed.
#
#   bench/startup-vs-bare.sh [build folder, default build] [runs, default 9] [other build folder]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$here/build}" && pwd)"
runs="${2:-9}"
other="${3:+$(cd "$3" && pwd)}"
for b in "$build" ${other:+"$other"}; do
  [ -x "$b/program/xpprac" ] || { echo "build the program and its sample folder in $b first (targets xpprac sample_folder)" >&2; exit 1; }
done
[ -x "$build/bench/bench_bare_window" ] || { echo "build bench_bare_window first" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$build/program" "$work/program"
[ -z "$other" ] || cp -r "$other/program" "$work/other"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

xvfb-run -a -s "-screen 0 1024x768x24" python3 - "$work/program/xpprac" "$build/bench/bench_bare_window" "$runs" \
  ${other:+"$work/other/xpprac"} <<'PY'
import os, statistics, subprocess, sys, time

program, bare, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
other = sys.argv[4] if len(sys.argv) > 4 else None
env = dict(os.environ, XP_EXIT_WHEN_SHOWN="1", QT_QPA_PLATFORM="xcb")

def once(path):
    start = time.monotonic_ns()
    p = subprocess.Popen([path], env=env, cwd=os.path.dirname(path), stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL)
    try:
        out = p.stdout.read().decode(errors="replace")
        _, status, usage = os.wait4(p.pid, 0)
    finally:
        p.stdout.close()
    shown = [l for l in out.splitlines() if l.startswith("shown ")]
    if not shown or status != 0:
        raise SystemExit(f"{path}: no window shown (status {status})")
    return (int(shown[0].split()[1]) - start) / 1e6, usage.ru_maxrss / 1024.0

starts = [("bare", bare), ("program", program)] + ([("other", other)] if other else [])
for _, path in starts:
    once(path)  # warm the file cache for every one
res = {name: [] for name, _ in starts}
for i in range(runs):
    for name, path in starts:
        res[name].append(once(path))
        ms, mb = res[name][-1]
        print(f"run {i + 1:2d} {name:8s} {ms:8.1f} ms  {mb:6.1f} MB", flush=True)

med = {k: (statistics.median(t for t, _ in v), statistics.median(m for _, m in v)) for k, v in res.items()}
print()
print(f"bare window   start to shown: median {med['bare'][0]:7.1f} ms   peak RSS {med['bare'][1]:6.1f} MB")
print(f"home window   start to shown: median {med['program'][0]:7.1f} ms   peak RSS {med['program'][1]:6.1f} MB")
print(f"ratio home/bare: time {med['program'][0] / med['bare'][0]:.2f}   peak RSS {med['program'][1] / med['bare'][1]:.2f}")
print(f"difference: {med['program'][0] - med['bare'][0]:.1f} ms (the start-up window's hand-over is 100 ms of it)")
if other:
    print(f"other program start to shown: median {med['other'][0]:7.1f} ms   peak RSS {med['other'][1]:6.1f} MB")
    print(f"program - other: {med['program'][0] - med['other'][0]:.1f} ms")
PY
