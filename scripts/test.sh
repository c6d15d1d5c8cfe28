#!/usr/bin/env bash
# Installs what is missing, builds every preset and the packages, and runs every test:
# native unit tests, fuzzing, the Windows-side tests and the end-to-end tests under Wine + Xvfb.
# Ends with each runner's summary.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh native win64 win32
scripts/format-check.sh
echo "== packages"
scripts/package.sh --no-build win64 win32

status=0
echo "== native tests"
ctest --preset native || status=1

echo "== fuzzing the store loader"
fuzz_log=build/native/fuzz.log
scripts/fuzz.sh "${ZARKIT_FUZZ_SECONDS:-60}" >"$fuzz_log" 2>&1 || { tail -40 "$fuzz_log"; status=1; }

echo "== Windows-side and end-to-end tests under Wine"
xvfb-run -a -s "-screen 0 1024x768x24" scripts/wine-tests.sh || status=1

native_log=build/native/Testing/Temporary/LastTest.log
wine_log=build/win64/Testing/Temporary/LastTest.log
echo
echo "== summary"
echo "native unit tests (GoogleTest):    $(grep -hE '^\[  (PASSED|FAILED)  \]' "$native_log" | paste -sd' ')"
echo "fuzzing (libFuzzer):               $(grep -E '^Done [0-9]+ runs' "$fuzz_log" | tail -1)"
echo "Windows-side tests (under Wine):   $(grep -hE '^\[  (PASSED|FAILED)  \]' "$wine_log" | paste -sd' ')"
echo "end-to-end tests (Xvfb + Wine):    $(grep -hE '^(Ran [0-9]+ tests|OK|FAILED)' "$wine_log" | paste -sd' ')"
echo "win32 build:                       $(ls build/win32/zarkit.exe)"
echo "packages:                          $(cd build/package && ls -- *.zip *.exe | paste -sd' ')"
[ $status -eq 0 ] && echo "all tests passed" || echo "SOME TESTS FAILED"
exit $status
