#!/bin/sh
# Tests the 32-bit build under 32-bit Wine, in its own build folder and prefix. Where 32-bit Wine
# cannot start a program (a kernel without 32-bit support, or no wine32:i386), the checks that
# need no running are made: the built computer player's instructions and the executable's
# imports and header flags; then a line says that the suites did not run, and why.
# The argument is the ctest to run.
set -u
ctest=${1:-ctest}
cd "$(dirname "$0")/.."
. cmake/wine-session.sh
if why=$(milda_wine32_starts cmake); then
    exec "$ctest" --preset windows-i686
fi
sh tests/unit/isa_check.sh i686-w64-mingw32-objdump i686-w64-mingw32-nm \
    build/windows-i686/ai/libmilda_ai.a &&
    sh tests/e2e/imports_and_flags.sh i686-w64-mingw32-objdump \
        build/windows-i686/app/milda.exe tests/e2e/xp_imports.txt 32 &&
    echo "*** i686 tests NOT RUN: $why The i686 build was compiled, its computer player" \
        "checked for instructions beyond the baseline, and its executable's imports and" \
        "header flags read, only. ***"
