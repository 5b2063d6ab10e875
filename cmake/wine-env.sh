#!/bin/sh
# Owns the Wine test environment of one build folder: a virtual X display (Xvfb), a private
# WINEPREFIX made once, and a persistent wineserver. Ends only the processes it started.
#
#   wine-env.sh start BUILD_DIR    start (or reuse) the environment; prints nothing on success
#                                  (MILDA_WINE_BITS=32: fail at once without 32-bit Wine)
#   wine-env.sh stop BUILD_DIR     end the wineserver of the prefix and our Xvfb, by id
#   wine-env.sh prefix BUILD_DIR NAME   only make the prefix BUILD_DIR/NAME (for playing)
set -eu

usage="usage: wine-env.sh start|stop|prefix BUILD_DIR [NAME]"
cmd=${1:?$usage}
build=$(cd "${2:?$usage}" && pwd)
state="$build/wine-env"
prefix="$build/${3:-wineprefix}"
virtual_desktop=yes
mkdir -p "$state"

. "$(dirname "$0")/wine-session.sh"
milda_wine_environment "$prefix"

xvfb_alive() {
    [ -s "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null
}

start_xvfb() {
    xvfb_alive && return 0
    rm -f "$state/xvfb.pid" "$state/display" "$state/display.tmp"
    # -displayfd picks a free display and writes its number once the server accepts clients.
    # fd 9 (the lock) is closed for it, or the server would hold the lock for its lifetime.
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -ac \
        3>"$state/display.tmp" </dev/null >"$state/xvfb.log" 2>&1 9>&- &
    echo $! >"$state/xvfb.pid"
    i=0
    while [ ! -s "$state/display.tmp" ]; do
        i=$((i + 1))
        if [ $i -gt 200 ] || ! xvfb_alive; then
            echo "wine-env: Xvfb did not start; see $state/xvfb.log" >&2
            return 1
        fi
        sleep 0.05
    done
    echo ":$(tr -d '\n' <"$state/display.tmp")" >"$state/display"
}

# Raised whenever the prefix's set-up changes, so that older prefixes are made again.
PREFIX_SETUP_VERSION=3

# Debian's 32-bit Wine (wine32:i386) brings the 32-bit loader. A win64 prefix runs 32-bit
# programs through WoW64 only if the loader was there when the prefix was made; one made before
# fails every 32-bit start with "could not load kernel32.dll". So its presence is part of the
# set-up, and installing or removing it makes the prefix again.
if [ -x "$MILDA_WINE32_LOADER" ]; then wine32=wine32; else wine32=no-wine32; fi
setup="$PREFIX_SETUP_VERSION-$virtual_desktop-$wine32"

make_prefix() {
    [ "$(cat "$prefix/.milda-ready" 2>/dev/null)" = "$setup" ] && return 0
    rm -rf "$prefix"
    wineboot -i >"$state/wineboot.log" 2>&1 9>&-
    # Wine's own fonts are not found unless they are in the prefix. Leaving out the bold Tahoma
    # makes bold captions fall back to a font that has Japanese glyphs.
    fonts="$prefix/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    for f in /usr/share/wine/fonts/*.ttf; do
        [ "$(basename "$f")" = tahomabd.ttf ] && continue
        ln -sf "$f" "$fonts/"
    done
    # The Japanese font names of the program's resources map onto the IPA Gothic fonts.
    reg="$state/fonts.reg"
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n'
        printf '"ＭＳ ゴシック"="IPAGothic"\r\n'
        printf '"MS PGothic"="IPAPGothic"\r\n'
        printf '"MS UI Gothic"="IPAPGothic"\r\n'
        printf '"MS Gothic"="IPAGothic"\r\n\r\n'
        if [ "$virtual_desktop" = yes ]; then
            # Test prefixes run every program inside one Wine virtual desktop, so windows get
            # Wine's own caption, frame and system menu and the pictures are the same each run.
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\r\n"Desktop"="Default"\r\n\r\n'
            printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\r\n"Default"="1024x768"\r\n\r\n'
        fi
    } | iconv -f UTF-8 -t UTF-16LE | { printf '\377\376'; cat; } >"$reg"
    wine regedit /S "$(winepath -w "$reg" 2>/dev/null 9>&- || echo "Z:$reg")" >>"$state/wineboot.log" 2>&1 9>&-
    wineserver -w 9>&-
    echo "$setup" >"$prefix/.milda-ready"
}

start_server() {
    # A persistent server, warmed up with output to a log file, so that no background Wine
    # process holds a test's output pipe.
    wineserver -p </dev/null >>"$state/wineserver.log" 2>&1 9>&-
    wine cmd /c exit </dev/null >>"$state/wineserver.log" 2>&1 9>&- || true
}

case "$cmd" in
start)
    # Already up: nothing to do (the common case, once per test).
    if [ -f "$state/server.started" ] && xvfb_alive; then
        exit 0
    fi
    command -v Xvfb >/dev/null || { echo "wine-env: Xvfb is missing (apt-get install xvfb)" >&2; exit 1; }
    command -v wine >/dev/null || { echo "wine-env: wine is missing (apt-get install wine wine64)" >&2; exit 1; }
    if [ "${MILDA_WINE_BITS:-64}" = 32 ] && ! why=$(milda_wine32_starts "$(dirname "$0")"); then
        echo "wine-env: $why" >&2
        exit 1
    fi
    exec 9>"$state/lock"
    flock 9
    start_xvfb
    export DISPLAY="$(cat "$state/display")"
    make_prefix
    start_server
    touch "$state/server.started"
    ;;
stop)
    exec 9>"$state/lock"
    flock 9
    [ -d "$prefix" ] && wineserver -k 2>/dev/null 9>&- || true
    if xvfb_alive; then
        kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    fi
    rm -f "$state/xvfb.pid" "$state/display" "$state/server.started"
    ;;
prefix)
    virtual_desktop=no
    exec 9>"$state/lock"
    flock 9
    make_prefix
    ;;
*)
    echo "wine-env: unknown command $cmd" >&2
    exit 2
    ;;
esac
