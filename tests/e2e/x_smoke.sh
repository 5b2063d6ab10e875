#!/bin/sh
# The game from the X side: a mouse click through the X server (XTEST) on a legal square of the
# running milda.exe, read back from screenshots; then Escape from the X keyboard ends it.
#
#   x_smoke.sh BUILD_DIR MILDA_EXE SCREENSHOT_PNG
#
# The screenshot of the game window after the computer's answer is left at SCREENSHOT_PNG.
set -eu

build=$(cd "${1:?usage: x_smoke.sh BUILD_DIR MILDA_EXE SCREENSHOT_PNG}" && pwd)
exe=${2:?missing MILDA_EXE}
screenshot=${3:?missing SCREENSHOT_PNG}
here=$(cd "$(dirname "$0")" && pwd)

for tool in xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "x_smoke: $tool is missing" >&2; exit 1; }
done
cmake_dir=$(cd "$here/../../cmake" && pwd)
. "$cmake_dir/wine-session.sh"
milda_wine_session "$cmake_dir" "$build" x_smoke

work=$(mktemp -d "$build/x-smoke.XXXXXX")
pid=
cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "x_smoke: $*" >&2
    [ -f "$work/game.png" ] && cp "$work/game.png" "$build/x-smoke-failure.png" &&
        echo "x_smoke: last screenshot in $build/x-smoke-failure.png" >&2
    exit 1
}

# Polls a command every 0.1 s for at most $1 seconds.
poll() {
    limit=$(($1 * 10))
    shift
    n=0
    until "$@"; do
        n=$((n + 1))
        [ $n -ge "$limit" ] && return 1
        sleep 0.1
    done
}

cp "$exe" "$work/milda.exe"
# Its own output goes to a file, so that no Wine process holds ctest's pipe.
wine "$work/milda.exe" </dev/null >"$work/wine.log" 2>&1 &
pid=$!

# In the virtual desktop each top-level window is an X window of its own, named by its caption.
find_window() {
    win=$(xdotool search --name '^ミルダ$' 2>/dev/null | head -n 1)
    [ -n "$win" ]
}
if ! poll 30 find_window; then
    echo "x_smoke: X windows with a name:" >&2
    xdotool search --name '.' getwindowname %@ 2>&1 | head -n 20 >&2 || true
    if kill -0 "$pid" 2>/dev/null; then
        echo "x_smoke: milda.exe is running" >&2
    else
        echo "x_smoke: milda.exe has ended; its Wine output:" >&2
        tail -n 20 "$work/wine.log" >&2 || true
    fi
    fail "no X window named ミルダ"
fi

# One screenshot of the game's X window as "x y #RRGGBB" lines.
grab() {
    import -window "$win" "$work/game.png" 2>/dev/null &&
        convert "$work/game.png" txt:- 2>/dev/null |
        sed -n 's/^\([0-9]*\),\([0-9]*\):.*\(#[0-9A-F]\{6\}\).*/\1 \2 \3/p' >"$work/game.txt"
}

# The client area is the one block of board grey (180,180,180): its first row of at least 200
# grey pixels gives the origin and width, the grey column below the origin the height.
find_board() {
    grab || return 1
    dims=$(awk '
        { c[$1 "," $2] = $3; if ($1 > w) w = $1; if ($2 > h) h = $2 }
        END {
            for (y = 0; y <= h && !found; y++) {
                run = 0
                for (x = 0; x <= w + 1; x++) {
                    if (c[x "," y] == "#B4B4B4") { if (run == 0) start = x; run++ }
                    else { if (run >= 200) { found = 1; ox = start; oy = y; cw = run; break }; run = 0 }
                }
            }
            if (!found) exit 1
            for (ch = 0; c[ox "," (oy + ch)] == "#B4B4B4"; ch++) ;
            print ox, oy, cw, ch
        }' "$work/game.txt") || return 1
    read -r ox oy cw ch <<EOF
$dims
EOF
    W=$(((cw - 8) / 8))
    H=$(((ch - 8) / 8))
    [ "$W" -gt 10 ] && [ "$H" -gt 10 ]
}
poll 20 find_board || fail "no board found in the game window"

# The 64 squares in rows, each W or B for a disc, w or b for a guide dot, . for empty, ? else.
# A disc covers a probe a quarter square from the left; a guide dot only the centre.
board() {
    awk -v ox="$ox" -v oy="$oy" -v W="$W" -v H="$H" '
        { c[$1 "," $2] = $3 }
        END {
            for (y = 0; y < 8; y++) {
                for (x = 0; x < 8; x++) {
                    left = ox + 4 + x * W; top = oy + 4 + y * H
                    probe = c[(left + int(W / 4)) "," (top + int(H / 2))]
                    centre = c[(left + int(W / 2)) "," (top + int(H / 2))]
                    s = "?"
                    if (probe == "#FFFFFF") s = "W"
                    else if (probe == "#1E1E1E") s = "B"
                    else if (probe == "#B4B4B4" && centre == "#FFFFFF") s = "w"
                    else if (probe == "#B4B4B4" && centre == "#1E1E1E") s = "b"
                    else if (probe == "#B4B4B4" && centre == "#B4B4B4") s = "."
                    printf "%s", s
                }
                printf "/"
            }
            print ""
        }' "$work/game.txt"
}

# Square (x, y) of a board string.
square() { printf '%s' "$1" | cut -c$(($3 * 9 + $2 + 1)); }

count() { printf '%s' "$1" | tr -cd "$2" | wc -c; }

start_shown() {
    grab || return 1
    b=$(board)
    [ "$(count "$b" W)" -eq 2 ] && [ "$(count "$b" B)" -eq 2 ] && [ "$(count "$b" w)" -eq 4 ] &&
        [ "$(square "$b" 4 2)" = w ]
}
poll 20 start_shown || fail "the starting position with white's dots did not show: $b"

# A real pointer click, through XTEST, on the centre of square (4,2).
xdotool mousemove --window "$win" $((ox + 4 + 4 * W + W / 2)) $((oy + 4 + 2 * H + H / 2)) click 1

answered() {
    grab || return 1
    b=$(board)
    [ "$(square "$b" 4 2)" = W ] && [ "$(count "$b" W)" -eq 3 ] && [ "$(count "$b" B)" -eq 3 ]
}
poll 20 answered || fail "the click on (4,2) did not play, or black did not answer: $b"
cp "$work/game.png" "$screenshot"

# Escape from the X keyboard ends the program, which then writes its settings.
xdotool key Escape
ended() { ! kill -0 "$pid" 2>/dev/null; }
poll 20 ended || fail "Escape did not end milda.exe"
wait "$pid" 2>/dev/null || true
pid=
grep -q '^FirstPlayer=0' "$work/milda.ini" || fail "no settings written at exit"
echo "x_smoke: click played (4,2), black answered; screenshot $screenshot"
