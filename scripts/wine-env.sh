# Sourced by the scripts: one Wine prefix inside the build tree, quiet, no Mono or
# Gecko installers, no desktop menu entries.
ZARKIT_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$ZARKIT_ROOT/build/win64/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver

# Creates or updates the prefix; quick when it is already there.
wine_boot() {
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -u >/dev/null 2>&1 || true
}
