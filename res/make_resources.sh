#!/usr/bin/env bash
# Regenerates the skin bitmaps and the program icon in this folder.
#
# The generated files are kept in the repository, so a build never runs this.
# Needs ImageMagick 6 (`convert`), awk, and Liberation Serif Bold Italic (Debian's
# fonts-liberation). Reruns with the same tools give byte-identical files.
#
# Usage: res/make_resources.sh [output-folder]   (default: the folder of this script)
set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "$0")" && pwd)
out=$(cd "${1:-$here}" && pwd)

font=/usr/share/fonts/truetype/liberation/LiberationSerif-BoldItalic.ttf
if [[ ! -f $font ]]; then
    echo "make_resources.sh: $font is missing (apt-get install fonts-liberation)" >&2
    exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Fixed colours of the skin.
outline="136 167 211"
bar_fill="225 238 255"
bar_edge="214 229 251"
tab_fill_left="188 211 231"
tab_fill_right="190 216 249"
tab_sel_fill="249 253 255"

# Plain PPM on stdin -> 24-bit BMP. BMP3 carries no timestamp or resolution, so
# the bytes depend on the pixels alone.
to_bmp() {
    convert ppm:- -type TrueColor -alpha off "BMP3:$out/$1"
}

# Shared awk functions: colour mixing, and rounding that does not depend on the
# awk implementation's printf.
awk_lib='
function rnd(v) { return int(v + 0.5) }
function mix(a, b, t,    ca, cb, i, r) {
    split(a, ca, " "); split(b, cb, " "); r = ""
    for (i = 1; i <= 3; i++) r = r (i > 1 ? " " : "") (ca[i] + (cb[i] - ca[i]) * t)
    return r
}
function smooth(t) { return t <= 0 ? 0 : t >= 1 ? 1 : t * t * (3 - 2 * t) }
function emit(c,    cc) { split(c, cc, " "); printf "%d %d %d\n", rnd(cc[1]), rnd(cc[2]), rnd(cc[3]) }
function header(w, h) { printf "P3\n%d %d\n255\n", w, h }
'

# --- 129: tab bar, one row stretched down the bar --------------------------
# Outline at the left; the right end darkens a little where the bar meets the
# list area.
awk -v o="$outline" -v f="$bar_fill" -v e="$bar_edge" "$awk_lib"'
BEGIN {
    w = 39; header(w, 1)
    for (x = 0; x < w; x++) {
        if (x == 0) emit(o)
        else emit(mix(f, e, smooth((x - 28) / 10)))
    }
}' | to_bmp tab_bar.bmp

# --- 130-135: tab pieces ----------------------------------------------------
# A tab is a rounded rectangle cut open on the right, where it joins the list
# area. Pixels are supersampled so the rounded corners are anti-aliased against
# the bar behind them. part: top (edge at y = 0), bottom (edge at y = height),
# middle (no edge).
tab_piece() {
    local file=$1 width=$2 height=$3 part=$4 radius=$5 fill_left=$6 fill_right=$7
    awk -v w="$width" -v h="$height" -v part="$part" -v r="$radius" \
        -v o="$outline" -v bg="$bar_fill" -v fl="$fill_left" -v fr="$fill_right" "$awk_lib"'
    # 0 outside the tab, 1 on its outline, 2 inside.
    function kind(sx, sy,    ty, d) {
        ty = part == "top" ? sy : part == "bottom" ? h - sy : 1e9
        if (sx < r && ty < r) {
            d = sqrt((r - sx) ^ 2 + (r - ty) ^ 2)
            # A slightly thicker ring keeps the diagonal as dark as the straight edges.
            return d > r ? 0 : d > r - 1.3 ? 1 : 2
        }
        return sx < 1 || ty < 1 ? 1 : 2
    }
    BEGIN {
        n = 8; header(w, h)
        for (y = 0; y < h; y++) {
            for (x = 0; x < w; x++) {
                fill = mix(fl, fr, (x - 1) / (w - 2))
                split("0 0 0", acc, " ")
                for (j = 0; j < n; j++) {
                    for (i = 0; i < n; i++) {
                        k = kind(x + (i + 0.5) / n, y + (j + 0.5) / n)
                        split(k == 0 ? bg : k == 1 ? o : fill, c, " ")
                        for (m = 1; m <= 3; m++) acc[m] += c[m]
                    }
                }
                emit(acc[1] / n / n " " acc[2] / n / n " " acc[3] / n / n)
            }
        }
    }' | to_bmp "$file"
}

tab_piece tab_bottom.bmp 29 4 bottom 4 "$tab_fill_left" "$tab_fill_right"
tab_piece tab_middle.bmp 29 1 middle 4 "$tab_fill_left" "$tab_fill_right"
tab_piece tab_top.bmp 29 5 top 4 "$tab_fill_left" "$tab_fill_right"
tab_piece tab_sel_bottom.bmp 32 5 bottom 5 "$tab_sel_fill" "$tab_sel_fill"
tab_piece tab_sel_middle.bmp 32 2 middle 5 "$tab_sel_fill" "$tab_sel_fill"
tab_piece tab_sel_top.bmp 32 6 top 5 "$tab_sel_fill" "$tab_sel_fill"

# --- 137, 138: scroll buttons -----------------------------------------------
# Three 17 x 17 frames, top to bottom: pressed, hot, normal. Each is a rounded
# box on the bar colour with an anti-aliased chevron; dir is down or up.
scroll_button() {
    local file=$1 dir=$2
    awk -v dir="$dir" -v bg="$bar_fill" "$awk_lib"'
    # Distance from (px, py) to the segment (ax, ay)-(bx, by).
    function seg(px, py, ax, ay, bx, by,    dx, dy, t) {
        dx = bx - ax; dy = by - ay
        t = ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)
        t = t < 0 ? 0 : t > 1 ? 1 : t
        return sqrt((px - ax - t * dx) ^ 2 + (py - ay - t * dy) ^ 2)
    }
    # 0 outside the box, 1 border, 2 fill, 3 chevron.
    function kind(sx, sy,    cx, cy, d, tip, arm) {
        cx = sx < r ? r : sx > s - r ? s - r : sx
        cy = sy < r ? r : sy > s - r ? s - r : sy
        d = sqrt((sx - cx) ^ 2 + (sy - cy) ^ 2)
        if (d > r) return 0
        if (sx < 1 || sy < 1 || sx > s - 1 || sy > s - 1 || d > r - 1.2) return 1
        tip = dir == "down" ? 10.75 : 6.25
        arm = dir == "down" ? 6.25 : 10.75
        if (seg(sx, sy, 4.25, arm, 8.5, tip) < 1 || seg(sx, sy, 12.75, arm, 8.5, tip) < 1) return 3
        return 2
    }
    BEGIN {
        s = 17; r = 2.5; n = 8
        border[0] = "69 200 210";  fill[0] = "94 208 217"    # pressed
        border[1] = "111 202 210"; fill[1] = "132 208 217"   # hot
        border[2] = "173 173 173"; fill[2] = "234 234 234"   # normal
        chevron = "85 99 119"
        header(s, 3 * s)
        for (f = 0; f < 3; f++) {
            col[0] = bg; col[1] = border[f]; col[2] = fill[f]; col[3] = chevron
            for (y = 0; y < s; y++) {
                for (x = 0; x < s; x++) {
                    split("0 0 0", acc, " ")
                    for (j = 0; j < n; j++) {
                        for (i = 0; i < n; i++) {
                            split(col[kind(x + (i + 0.5) / n, y + (j + 0.5) / n)], c, " ")
                            for (m = 1; m <= 3; m++) acc[m] += c[m]
                        }
                    }
                    emit(acc[1] / n / n " " acc[2] / n / n " " acc[3] / n / n)
                }
            }
        }
    }' | to_bmp "$file"
}

scroll_button tab_prev.bmp down
scroll_button tab_next.bmp up

# --- 139: drawer background -------------------------------------------------
# Stretched across the whole drawer: light at both ends, darkest just left of
# the middle. Eased segments avoid a visible crease at the darkest column.
awk "$awk_lib"'
BEGIN {
    w = 42; dark = 20; header(w, 2)
    for (y = 0; y < 2; y++) {
        for (x = 0; x < w; x++) {
            if (x <= dark) emit(mix("188 215 245", "148 195 243", smooth(x / dark)))
            else emit(mix("148 195 243", "203 226 249", smooth((x - dark) / (w - 1 - dark))))
        }
    }
}' | to_bmp drawer_background.bmp

# --- 151: drawer edge graphic -----------------------------------------------
# Drawn with white as the transparent colour over the left end of the drawer
# background, so the lettering and its shadow are anti-aliased against that
# blue instead of white: a white fringe would show around every letter. Only
# pixels the lettering and shadow (nearly) do not touch stay pure white.
convert -background none -font "$font" -pointsize 44 -fill "rgb(30,40,62)" \
    label:"VELMOR Zarkit" -trim +repage -rotate -90 "$tmp/letters.png"
convert "$tmp/letters.png" -alpha extract -background "rgb(90,94,102)" -alpha shape \
    -channel A -evaluate multiply 0.6 +channel -bordercolor none -border 4 -blur 0x1.3 \
    "$tmp/shadow.png"
convert -size 39x338 xc:none -gravity center \
    "$tmp/shadow.png" -geometry +1+2 -composite \
    "$tmp/letters.png" -geometry -1+0 -composite "$tmp/edge.png"
convert -size 39x338 xc:white \
    \( "$tmp/edge.png" -background "rgb(187,215,245)" -flatten \) \
    \( "$tmp/edge.png" -alpha extract -threshold 4% \) \
    -composite -type TrueColor -alpha off "BMP3:$out/drawer_edge.bmp"

# --- 128: program icon ------------------------------------------------------
# A blue drawer of launcher entries pulled out from the left edge of a window.
# Each size is drawn on its own pixel grid (so its lines stay sharp) at 8x and
# box-filtered down. Coordinates are pixel edges.
icon_size() {
    local size=$1 k=8 mvg primitive
    shift
    mvg="translate -0.5,-0.5 scale $k,$k"
    for primitive in "$@"; do mvg+=" $primitive"; done
    convert -size $((size * k))x$((size * k)) xc:none -draw "$mvg" \
        -filter box -resize "${size}x${size}" "$tmp/icon$size.png"
}

ink="rgb(46,74,122)"
drawer="rgb(136,167,211)"
drawer_top="rgb(188,215,245)"
window="rgb(248,251,255)"
window_frame="rgb(96,118,150)"
window_bar="rgb(225,238,255)"
entries=("rgb(255,87,15)" "rgb(69,200,210)" "rgb(120,190,90)")

icon_size 16 \
    "fill $window stroke $window_frame stroke-width 1 rectangle 6.5,2.5 15.5,13.5" \
    "fill $drawer stroke $ink roundrectangle 0.5,0.5 9.5,15.5 1.5,1.5" \
    "stroke none fill white rectangle 3,3 7,5 rectangle 3,7 7,9 rectangle 3,11 7,13" \
    "fill ${entries[0]} rectangle 4,4 6,5 fill ${entries[1]} rectangle 4,8 6,9" \
    "fill ${entries[2]} rectangle 4,12 6,13" \
    "fill $ink polygon 11,5 14,8 11,11"
icon_size 32 \
    "fill $window stroke $window_frame stroke-width 1 roundrectangle 9.5,5.5 30.5,27.5 2,2" \
    "stroke none fill $window_bar rectangle 18,6 30,9" \
    "fill $drawer stroke $ink stroke-width 2 roundrectangle 2,2 18,30 3,3" \
    "stroke none fill $drawer_top rectangle 3,3 17,5" \
    "fill white stroke $ink stroke-width 1 roundrectangle 5.5,8.5 14.5,13.5 1.5,1.5" \
    "roundrectangle 5.5,15.5 14.5,20.5 1.5,1.5 roundrectangle 5.5,22.5 14.5,27.5 1.5,1.5" \
    "stroke none fill ${entries[0]} rectangle 7,10 13,12 fill ${entries[1]} rectangle 7,17 13,19" \
    "fill ${entries[2]} rectangle 7,24 13,26" \
    "fill $ink polygon 21,12 26,16 21,20"
icon_size 48 \
    "fill $window stroke $window_frame stroke-width 2 roundrectangle 13,7 46,41 3,3" \
    "stroke none fill $window_bar rectangle 26,8 45,13" \
    "fill $drawer stroke $ink stroke-width 2 roundrectangle 3,3 26,45 4,4" \
    "stroke none fill $drawer_top rectangle 5,5 24,8" \
    "fill white stroke $ink stroke-width 1 roundrectangle 8.5,11.5 20.5,18.5 2,2" \
    "roundrectangle 8.5,21.5 20.5,28.5 2,2 roundrectangle 8.5,31.5 20.5,38.5 2,2" \
    "stroke none fill ${entries[0]} rectangle 11,14 18,16 fill ${entries[1]} rectangle 11,24 18,26" \
    "fill ${entries[2]} rectangle 11,34 18,36" \
    "fill $ink polygon 32,18 39,24 32,30"
# 32-bit entries with alpha; the ICO writer stores no timestamp.
convert "$tmp/icon16.png" "$tmp/icon32.png" "$tmp/icon48.png" "ICO:$out/zarkit.ico"
