#!/bin/sh
# ctest's emulator for Windows executables: wine-run.sh BUILD_DIR PROGRAM [ARGS...]
# Starts the build folder's Wine environment when it is not up yet, then runs the program.
set -eu
build=$(cd "$1" && pwd)
shift
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-session.sh"
milda_wine_session "$here" "$build" wine-run
exec wine "$@"
