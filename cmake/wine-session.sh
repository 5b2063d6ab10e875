# Sourced by the scripts that run Windows programs of a build folder under Wine.
#   milda_wine_session CMAKE_DIR BUILD_DIR WHO
# starts the folder's Wine environment when it is not up yet (WHO names the caller in a failure)
# and exports what a Wine run in it needs.

# No Mono or Gecko installer, no menu entries, and no crash debugger: a crashed program ends with
# its exception code at once, instead of a debugger that holds the test's output open.
MILDA_WINE_DLL_OVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"

milda_wine_session() {
    if ! "$1/wine-env.sh" start "$2" </dev/null >>"$2/wine-env.log" 2>&1; then
        echo "$3: could not start the Wine environment ($(tail -n 1 "$2/wine-env.log"));" \
            "see $2/wine-env.log" >&2
        exit 1
    fi
    export WINEPREFIX="$2/wineprefix"
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="$MILDA_WINE_DLL_OVERRIDES"
    export LANG=C.UTF-8 LC_ALL=C.UTF-8
    DISPLAY=$(cat "$2/wine-env/display")
    export DISPLAY
}
