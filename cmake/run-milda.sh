#!/bin/sh
# Starts the built milda.exe under Wine on the user's display, in a Wine prefix of the build
# folder that is set up for the Japanese texts.
set -eu
build=$(cd "${1:?usage: run-milda.sh BUILD_DIR}" && pwd)
exe="$build/app/milda.exe"
if [ ! -f "$exe" ]; then
    echo "run-milda: $exe has not been built." >&2
    exit 1
fi
if [ -z "${DISPLAY:-}" ]; then
    echo "run-milda: no X display (DISPLAY is not set)." >&2
    echo "Run 'make run' from a desktop session, or name the X server to show it on:" >&2
    echo "  DISPLAY=:0 make run" >&2
    exit 1
fi
here=$(cd "$(dirname "$0")" && pwd)
"$here/wine-env.sh" prefix "$build" wineprefix-run
. "$here/wine-session.sh"
milda_wine_environment "$build/wineprefix-run"
exec wine "$exe"
