#!/usr/bin/env bash
# Builds what people download, from the Windows builds, into build/package/:
#   Zarkit-<version>-<preset>.zip        portable: the folder Zarkit with zarkit.exe,
#                                        Zarkit.chm, ReadMe.txt and LICENSE.txt
#   Zarkit-<version>-<preset>-setup.exe  per-user installer (NSIS, installer/zarkit.nsi)
#
#   scripts/package.sh [--no-build] [PRESET...]     presets: win64 win32 (default: both)
#
# --no-build packages what the build trees hold (for callers inside a build).
# ZARKIT_PACKAGE_DIR names another output folder.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

build=1
if [ "${1:-}" = "--no-build" ]; then
    build=0
    shift
fi
presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(win64 win32)

version=$(sed -n 's/^project(Zarkit VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package.sh: no version in CMakeLists.txt" >&2; exit 1; }
out="$(realpath -m "${ZARKIT_PACKAGE_DIR:-build/package}")"
mkdir -p "$out"

# Plain text for Windows users: CRLF line ends, so every editor shows the lines.
crlf() { sed 's/\r*$/\r/' "$1" >"$2"; }

for preset in "${presets[@]}"; do
    case "$preset" in
        win64 | win32) ;;
        *) echo "package.sh: unknown preset $preset (win64 or win32)" >&2; exit 2 ;;
    esac
    tree="build/$preset"
    if [ $build -eq 1 ]; then
        [ -f "$tree/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
        cmake --build --preset "$preset" --target zarkit zarkit_help >/dev/null
    fi
    for file in zarkit.exe Zarkit.chm; do
        [ -f "$tree/$file" ] || { echo "package.sh: $tree/$file is missing" >&2; exit 1; }
    done

    stage="$out/stage-$preset/Zarkit"
    rm -rf "$out/stage-$preset"
    mkdir -p "$stage"
    cp "$tree/zarkit.exe" "$tree/Zarkit.chm" "$stage/"
    crlf docs/ReadMe.txt "$stage/ReadMe.txt"
    crlf LICENSE.txt "$stage/LICENSE.txt"

    zip="$out/Zarkit-$version-$preset.zip"
    rm -f "$zip"
    (cd "$out/stage-$preset" && zip -q -X -9 -r "$zip" Zarkit)

    setup="$out/Zarkit-$version-$preset-setup.exe"
    rm -f "$setup"
    (cd installer && makensis -V2 -DARCH="$preset" -DVERSION="$version" -DSTAGE="$stage" \
        -DOUTFILE="$setup" zarkit.nsi)

    rm -rf "$out/stage-$preset"
    for file in "$zip" "$setup"; do
        printf '%-60s %8d bytes\n' "${file#"$root"/}" "$(stat -c %s "$file")"
    done
done
