#!/bin/bash
# Renders the hand-written SVG pictures of Tarnis to the PNG files that are
# committed next to them. Only needed after editing an SVG; the build uses the PNGs.
#
# Needs rsvg-convert from the Debian package "librsvg2-bin"
#   (apt-get install librsvg2-bin)
# and the fonts from "fonts-liberation" and "fonts-dejavu-core".
set -euo pipefail

cd "$(dirname "$0")"

if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "render.sh: rsvg-convert not found; install the Debian package librsvg2-bin" >&2
    exit 1
fi

# render SVG PNG WIDTH HEIGHT
render() {
    rsvg-convert --width="$3" --height="$4" --output="$2" "$1"
    echo "  $2 (${3}x${4})"
}

echo "Rendering pictures in $(pwd):"

# Pictures shown in the program: rendered at twice their design size.
render banner.svg      banner.png       462  152   # design 231 x 76
render emblem.svg      emblem.png       272  360   # design 136 x 180
render quiz-button.svg quiz-button.png   64   64   # design 32 x 32
render quiz.svg        quiz.png         998  612   # design 499 x 306
render dedication.svg  dedication.png  1008 1118   # design 504 x 559

# Program icon: a simplified drawing for the two smallest sizes.
render icon-small.svg icon-16.png 16 16
render icon-small.svg icon-32.png 32 32
for size in 48 64 128 256; do
    render icon.svg "icon-$size.png" "$size" "$size"
done

# Hand pointer: pixel art, exact 1x and 2x (hot spot 12,1 and 24,2).
render hand-cursor.svg hand-cursor.png    32 32
render hand-cursor.svg hand-cursor@2x.png 64 64
