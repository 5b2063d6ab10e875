#!/bin/sh
# ctest's emulator for Windows executables: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
# Starts the build folder's Wine environment when it is not up yet, then runs the program.
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
if ! "$here/wine-env.sh" start "$build" </dev/null >>"$build/wine-env.log" 2>&1; then
    echo "wine-run: could not start the Wine environment; see $build/wine-env.log" >&2
    exit 1
fi
export WINEPREFIX="$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
DISPLAY=$(cat "$build/wine-env/display")
export DISPLAY
exec wine "$@"
