#!/bin/sh
# icon_matches.sh DRAWN COMMITTED: the same images in the same sizes and depths, and every
# channel of every pixel within 1 of the other, which is as far apart as ImageMagick 6 and 7
# round the smoothed edges. (The resource tests read the committed file's layout exactly.)
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
magick=convert
command -v magick >/dev/null 2>&1 && magick=magick
[ "$(icotool -l "$1")" = "$(icotool -l "$2")" ] || { echo "Other images: $(icotool -l "$1")"; exit 1; }
# The bytes of image I (from 0) of FILE: red, green, blue and alpha of each pixel, one a line.
bytes() { "$magick" "$2[$1]" -depth 8 RGBA:- | od -An -v -tu1 -w1; }
for i in $(seq 0 $(($(icotool -l "$2" | wc -l) - 1))); do
    bytes "$i" "$1" >"$work/drawn"
    bytes "$i" "$2" >"$work/committed"
    paste "$work/drawn" "$work/committed" | awk -v i="$i" '{ d = $1 - $2 }
        NF != 2 || d > 1 || d < -1 { bad = NR; exit }
        END { if (bad || !NR) { print "Image " i " differs at byte " bad + 0 ": " $0; exit 1 } }'
done
