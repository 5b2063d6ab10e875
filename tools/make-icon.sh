#!/bin/sh
# Draws the application icon with ImageMagick and packs it with icoutils: the middle of the board
# as a game starts, four grey squares in black lines, white discs on one diagonal and black discs
# on the other. The icon holds 32 and 16 px in 16 colours, then 256 px (kept as PNG), 48, 32, 24
# and 16 px in true colour with alpha: every size the platform shows.
# Usage: make-icon.sh OUTPUT.ico
set -eu
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Each image is drawn SCALE times larger without smoothing, then reduced: each block of pixels
# averaged, for the smooth images, or the pixel at its centre taken, for the 16-colour ones.
SCALE=9

# ImageMagick's drawing commands for the picture at SIZE px, SMOOTH (1) or in whole pixels (0).
# ImageMagick puts pixel centres at whole numbers, and without smoothing it also fills a pixel
# whose centre lies up to about half a pixel outside a circle, so circles are drawn that much
# smaller. The colours are the standard 16-colour palette's, so that the 16-colour images show
# exactly on a 16-colour screen.
picture() {
    awk -v size="$1" -v smooth="$2" -v k="$SCALE" '
    function at(v) { return v * k - 0.5 }
    function rect(colour, x0, y0, x1, y1) {
        printf "fill %s rectangle %g,%g %g,%g\n", colour, x0 * k, y0 * k, x1 * k - 1, y1 * k - 1
    }
    function disc(colour, x, y, r) {
        printf "fill %s circle %g,%g %g,%g\n", colour, at(x), at(y), at(x + r) - 0.5, at(y)
    }
    # The part of a disc beyond the line across it at -45 degrees, SHIFT from its centre along
    # the diagonal (as x + y): light falls from the upper left, as on the platform'\''s controls.
    function cut(colour, x, y, r, shift,    h, mx, my, sweep) {
        h = sqrt(r * r - shift * shift / 2) / sqrt(2)
        mx = x + shift / 2
        my = y + shift / 2
        sweep = shift > 0 ? 1 : 0
        printf "fill %s path %cM %g,%g A %g,%g 0 0 %d %g,%g Z%c\n", colour, 39, at(mx + h),
            at(my - h), r * k, r * k, sweep, at(mx - h), at(my + h), 39
    }
    BEGIN {
        line = int(size / 32)
        if (line < 1) line = 1
        middle = size / 2
        cell = middle - 2 * line
        # The 16 px image leaves a wider ring of board round each disc, or its black discs would
        # run into the lines.
        radius = cell * (size > 16 ? 0.45 : 0.35)
        # Inside the black outline of each disc: one pixel wide in the pixel pictures, a little
        # wider than the lines when smooth, where a curve one pixel wide would only show as grey.
        inner = radius - (smooth ? 1.5 * line : 1)
        printf "fill #000000 roundrectangle 0,0 %g,%g %g,%g\n", size * k - 1, size * k - 1,
            2 * line * k, 2 * line * k
        rect("#C0C0C0", line, line, size - line, size - line)
        rect("#000000", middle - line, 0, middle + line, size)
        rect("#000000", 0, middle - line, size, middle + line)
        for (row = 0; row < 2; ++row) {
            for (column = 0; column < 2; ++column) {
                x = line + cell / 2 + column * middle
                y = line + cell / 2 + row * middle
                disc("#000000", x, y, radius)
                if (row == column) {
                    disc("#FFFFFF", x, y, inner)
                    cut("#C0C0C0", x, y, inner, 0.55 * radius)
                } else {
                    cut("#808080", x, y, inner, -0.55 * radius)
                }
            }
        }
    }'
}

# ImageMagick 7 calls its command magick; 6 has only convert, which 7 keeps as a legacy name.
magick=convert
command -v magick >/dev/null 2>&1 && magick=magick

# draw pixels|smooth SIZE: pixelsSIZE.png or smoothSIZE.png, 8 bits per channel with alpha, and
# nothing else in the file that could change from one run to the next (no dates, no ImageMagick
# version). The chunks are named one by one: ImageMagick 7 warns that a PNG32 written with
# "all" left out cannot keep its bit depth and colour type, though it does.
# Quality 91 is zlib's level 9 over rows kept as differences from the pixel to the left, which
# packs these pictures smallest (the 256 px one in 7,327 bytes; ImageMagick's default, 10,717).
draw() {
    if [ "$1" = smooth ]; then smooth=1 reduce=-scale; else smooth=0 reduce=-sample; fi
    "$magick" -size "$(($2 * SCALE))x$(($2 * SCALE))" xc:none +antialias \
        -draw "$(picture "$2" $smooth)" $reduce "$2x$2" -depth 8 -quality 91 \
        -define png:exclude-chunks=bKGD,cHRM,gAMA,iCCP,iTXt,pHYs,sRGB,tEXt,tIME,vpAg,zTXt,date \
        "PNG32:$work/$1$2.png"
}

# Below 24 px smoothed edges only blur the discs, so the 16 px true-colour image is the pixel
# picture.
for size in 32 16; do draw pixels $size; done
for size in 256 48 32 24; do draw smooth $size; done
# The 16-colour images first, as they always were; the platform picks by size and depth.
w="$work"
icotool -c -o "$1" -b 4 "$w/pixels32.png" -b 4 "$w/pixels16.png" -r "$w/smooth256.png" \
    -b 32 "$w/smooth48.png" -b 32 "$w/smooth32.png" -b 32 "$w/smooth24.png" -b 32 "$w/pixels16.png"
