#!/bin/sh
# ctest's emulator for Windows executables: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
# Starts the build folder's Wine environment when it is not up yet, then runs the program.
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-session.sh"
milda_wine_session "$here" "$build" wine-run
# The test programs write their exit code to this file before they end (tests/wine_test_main.cpp).
# The Wine server kills a program whose Unix process is still there about half a second after its
# last Windows thread ended, so on a loaded machine a run that ended well can show as killed
# (128 + 9); the code the program wrote is its real end then. Otherwise the two must agree, so
# that every run checks the file. Wine runs as the shell's child, and is killed with it (ctest's
# timeout kills only the shell).
code=$(mktemp "$build/wine-env/exit-code.XXXXXX")
trap 'rm -f "$code"' EXIT
status=0
MILDA_EXIT_CODE_FILE="Z:$(printf '%s' "$code" | tr / '\\')" setpriv --pdeathsig KILL wine "$@" ||
    status=$?
written=$(cat "$code")
if [ -z "$written" ]; then
    # It did not get to its end; where nothing else says why, this does.
    [ "$status" -eq 0 ] || echo "wine-run: $1 ended with $status before it wrote its exit code" >&2
    exit "$status"
elif [ "$status" -eq 137 ]; then
    echo "wine-run: $1 ended with $written, and its Unix process was killed after that" >&2
    exit "$written"
elif [ "$written" != "$status" ]; then
    echo "wine-run: $1 wrote exit code $(printf %s "$written" | cat -v), but ended with $status" >&2
    [ "$status" -ne 0 ] || status=1
fi
exit "$status"
