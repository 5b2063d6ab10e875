#!/bin/sh
# icon_matches.sh DRAWN COMMITTED: the same images in the same sizes and depths, and every channel
# of every pixel within 1, as far apart as ImageMagick 6 and 7 round the smoothed edges.
set -eu
work=$(mktemp) && trap 'rm -f "$work"' EXIT
magick=convert && command -v magick >/dev/null 2>&1 && magick=magick
drawn=$(icotool -l "$1") images=$(icotool -l "$2")
[ "$drawn" = "$images" ] || { echo "Other images: $drawn"; exit 1; }
# Image I (from 0) of FILE: the red, green, blue and alpha of each pixel, a byte a line.
bytes() { "$magick" "$2[$1]" -depth 8 RGBA:- | od -An -v -tu1 -w1; }
for i in $(seq 0 $(($(printf '%s\n' "$images" | wc -l) - 1))); do
    bytes "$i" "$2" >"$work"
    bytes "$i" "$1" | paste - "$work" | awk -v i="$i" '{ d = $1 - $2 } NF != 2 || d > 1 || d < -1 {
        bad = NR; exit } END { if (bad || !NR) { print "Image " i ", byte " bad + 0 ": " $0; exit 1 } }'
done
