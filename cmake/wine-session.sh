# Sourced by every script that runs Windows programs under Wine; the one place that says how.
#   milda_wine_environment PREFIX
# exports what every Wine run of the project needs, in the Wine prefix given;
#   milda_wine_session CMAKE_DIR BUILD_DIR WHO
# starts the build folder's test environment when it is not up yet (WHO names the caller in a
# failure) and exports the same for a run in it, on its virtual display;
#   milda_wine32_starts CMAKE_DIR
# succeeds where 32-bit Wine can start a program, and otherwise prints why not and fails.

# Debian's 32-bit Wine (wine32:i386) is this loader; --version needs no prefix, only the loader and
# its i386 libraries.
MILDA_WINE32_LOADER=/usr/lib/wine/wine

milda_wine32_starts() {
    if ! sh "$1/runs-32bit.sh"; then
        echo "this kernel runs no 32-bit programs (32-bit emulation is off), so 32-bit Wine" \
            "cannot start."
        return 1
    fi
    if ! "$MILDA_WINE32_LOADER" --version >/dev/null 2>&1; then
        echo "32-bit Wine (wine32:i386) is not installed or does not start. To try again, as root:" \
            "'make deps-wine32' (it says why when it cannot install it), then" \
            "'make test-windows-i686'."
        return 1
    fi
}

milda_wine_environment() {
    export WINEPREFIX="$1"
    export WINEARCH=win64
    export WINEDEBUG=-all
    # No Mono or Gecko installer, no menu entries, and no crash debugger: a crashed program ends
    # with its exception code at once, instead of a debugger that holds the test's output open.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
}

milda_wine_session() {
    if ! "$1/wine-env.sh" start "$2" </dev/null >>"$2/wine-env.log" 2>&1; then
        echo "$3: could not start the Wine environment ($(tail -n 1 "$2/wine-env.log"));" \
            "see $2/wine-env.log" >&2
        exit 1
    fi
    milda_wine_environment "$2/wineprefix"
    DISPLAY=$(cat "$2/wine-env/display")
    export DISPLAY
}
