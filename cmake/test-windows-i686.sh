#!/bin/sh
# Tests the 32-bit build under 32-bit Wine, in its own build folder and prefix. A kernel without
# 32-bit support can only check, without running anything, the built computer player for
# instructions beyond the baseline and the executable's imports and header flags, and says so.
# The argument is the ctest to run.
set -u
ctest=${1:-ctest}
cd "$(dirname "$0")/.."
if sh cmake/runs-32bit.sh; then
    exec "$ctest" --preset windows-i686
fi
sh tests/unit/isa_check.sh i686-w64-mingw32-objdump i686-w64-mingw32-nm \
    build/windows-i686/ai/libmilda_ai.a &&
    sh tests/e2e/imports_and_flags.sh i686-w64-mingw32-objdump \
        build/windows-i686/app/milda.exe tests/e2e/xp_imports.txt 32 &&
    echo "*** i686 tests NOT RUN: this kernel runs no 32-bit programs (32-bit emulation is" \
        "off), so 32-bit Wine cannot start. The i686 build was compiled, its computer" \
        "player checked for instructions beyond the baseline, and its executable's imports" \
        "and header flags read, only. ***"
