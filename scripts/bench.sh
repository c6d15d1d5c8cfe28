#!/usr/bin/env bash
# Builds and runs the benchmarks: the native ones (Google Benchmark) and start-up
# time under Wine. Prints figures; never fails on them.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh native win64

for bench in build/native/bench/*_bench; do
    [ -x "$bench" ] && "$bench" --benchmark_counters_tabular=true
done

source scripts/wine-env.sh
export ZARKIT_EXE="$ZARKIT_ROOT/build/win64/zarkit.exe"
export ZARKIT_PROBE="$ZARKIT_ROOT/build/win64/zkprobe.exe"
export ZARKIT_FLOOR="$ZARKIT_ROOT/build/win64/floor_window.exe"
export ZARKIT_COMPONENTS_FLOOR="$ZARKIT_ROOT/build/win64/components_floor.exe"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    source scripts/wine-env.sh
    mkdir -p "$WINEPREFIX"
    "$WINESERVER" -p
    trap "\"$WINESERVER\" -k" EXIT
    wine_boot
    python3 bench/startup_wine.py
'
