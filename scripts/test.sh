#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test:
# native unit tests, fuzzing, Windows-side and end-to-end tests under Wine + Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh native win64 win32
scripts/format-check.sh

summary=$(mktemp)
trap 'rm -f "$summary"' EXIT

echo "== native tests"
ctest --preset native | tee -a "$summary"

echo "== Windows-side and end-to-end tests under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/wine-tests.sh | tee -a "$summary"

echo
echo "== summary"
grep -E "tests passed|tests failed|Total Test time" "$summary"
