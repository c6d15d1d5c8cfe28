#!/usr/bin/env bash
# Takes the picture of the open drawer that the help file and the README show:
# builds zarkit.exe, starts it in a fresh folder (so the store gets its default
# tables) on a virtual 1024x768 screen, opens the drawer the way a user does and
# saves it, with its rounded corners cut out, to docs/help/images/drawer.png.
#   scripts/screenshot.sh [OUTPUT.png]
# ZARKIT_DISPLAY_NUMBER picks the virtual display's number (default: a free one).
set -euo pipefail
cd "$(dirname "$0")/.."

out="$(realpath -m "${1:-docs/help/images/drawer.png}")"
mkdir -p "$(dirname "$out")"

[ -f build/win64/CMakeCache.txt ] || cmake --preset win64 >/dev/null
cmake --build --preset win64 --target zarkit zkprobe >/dev/null
source scripts/wine-env.sh

folder="$(mktemp -d /tmp/zarkit-shot-XXXXXX)"
trap 'rm -rf "$folder"' EXIT
cp build/win64/zarkit.exe "$folder/"

xvfb=(-a)
[ -z "${ZARKIT_DISPLAY_NUMBER:-}" ] || xvfb=(-n "$ZARKIT_DISPLAY_NUMBER")

xvfb-run "${xvfb[@]}" -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    source scripts/wine-env.sh
    folder="$1"; out="$2"
    wine_boot
    xdotool mousemove 800 600
    # The first start writes the default tables; the start-up tip would cover the
    # picture, so the picture is taken at the next start, with the tip turned off.
    (cd "$folder" && "$WINE" zarkit.exe) >/dev/null 2>&1 &
    first=$!
    for _ in $(seq 200); do
        [ -n "$(xdotool search --onlyvisible --name "^Zarkit\$" 2>/dev/null)" ] && break
        sleep 0.1
    done
    "$WINE" "$PWD/build/win64/zkprobe.exe" close Zarkit >/dev/null 2>&1
    wait $first || true
    sed -i "s|<Show_TipOnStart>yes<|<Show_TipOnStart>no<|" "$folder/info_data.xml"

    (cd "$folder" && exec "$WINE" zarkit.exe) >/dev/null 2>&1 &
    program=$!
    trap "\"$WINE\" \"$PWD/build/win64/zkprobe.exe\" close Zarkit >/dev/null 2>&1; wait $program || true" EXIT

    drawer=""
    for _ in $(seq 200); do
        drawer=$(xdotool search --onlyvisible --name "^Zarkit\$" 2>/dev/null | head -1) && [ -n "$drawer" ] && break
        sleep 0.1
    done
    [ -n "$drawer" ] || { echo "screenshot.sh: the drawer did not appear" >&2; exit 1; }

    # A new store plays the start-up animation first; wait until it has collapsed.
    for _ in $(seq 100); do
        eval "$(xdotool getwindowgeometry --shell "$drawer")"
        [ "$WIDTH" -eq 3 ] && [ "$X" -eq 0 ] && break
        sleep 0.1
    done

    # Rest the pointer in the strip at the left edge, then move into the open drawer.
    xdotool mousemove 1 300; sleep 1
    xdotool mousemove 300 300; sleep 0.7
    eval "$(xdotool getwindowgeometry --shell "$drawer")"
    [ "$WIDTH" -gt 3 ] || { echo "screenshot.sh: the drawer did not open" >&2; exit 1; }

    screen="$folder/screen.png"
    import -window root "$screen"
    # The window is a rounded rectangle (corner ellipse 16 x 16): outside it is the
    # empty screen, which becomes transparent.
    convert -size "${WIDTH}x${HEIGHT}" xc:black -fill white \
        -draw "roundrectangle 0,0 $((WIDTH - 1)),$((HEIGHT - 1)) 8,8" "$folder/mask.png"
    convert "$screen" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$folder/mask.png" \
        -alpha off -compose CopyOpacity -composite -strip "$out"
' _ "$folder" "$out"

echo "saved $out"
