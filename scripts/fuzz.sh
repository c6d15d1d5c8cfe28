#!/usr/bin/env bash
# Runs the store loader's fuzz target for a bounded time: scripts/fuzz.sh [SECONDS]
# (default 60). It works on a copy of fuzz/corpus in the build tree, so the seeds are
# never written to, and fails when the target crashes; the input that did it is kept in
# <build>/fuzz/artifacts. ZARKIT_BUILD_DIR names another build tree than build/native.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
build="${ZARKIT_BUILD_DIR:-build/native}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "fuzz.sh: $build is not configured; run scripts/build.sh native first" >&2
    exit 1
fi
cmake --build "$build" --target store_loader_fuzz >/dev/null

corpus="$build/fuzz/corpus"
artifacts="$build/fuzz/artifacts"
mkdir -p "$corpus" "$artifacts"
cp fuzz/corpus/* "$corpus/"

"$build/fuzz/store_loader_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -rss_limit_mb=2048 -dict=fuzz/store_loader_fuzz.dict -print_final_stats=1 \
    -artifact_prefix="$artifacts/" "$corpus"
