#!/usr/bin/env bash
# Runs the Windows-side tests and the end-to-end tests under Wine. Needs a display
# (scripts/test.sh runs it inside xvfb-run). One prefix, booted once, one
# persistent wineserver for the whole run, shut down at the end.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
cd "$ZARKIT_ROOT"

mkdir -p "$WINEPREFIX"
"$WINESERVER" -p
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
wine_boot
# Xvfb runs no window manager, and Wine waits up to two seconds for one each time a
# managed window is hidden: every dialog the Windows-side tests close would cost that.
"$WINE" reg add 'HKCU\Software\Wine\AppDefaults\zarkit_win_tests.exe\X11 Driver' \
    /v Managed /d N /f >/dev/null 2>&1 || true

ctest --test-dir build/win64 --output-on-failure "$@"
