#!/bin/sh
# Installs the Debian packages that building and testing need and that are missing, when run as
# root; otherwise prints the exact commands that would install them.
#   deps.sh          what every command needs; a package that cannot be installed stops it
#   deps.sh wine32   32-bit Wine, which only the i686 build's tests run under: asked for on its
#                    own, after the rest is in place, and gone on without when it cannot be had
#   deps.sh icon     what redrawing the icon needs (make icon), and nothing else
set -u
. "$(dirname "$0")/wine-session.sh"
packages="cmake ninja-build make g++ git googletest libgtest-dev libbenchmark-dev clang-format
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686 wine wine64 fonts-wine fonts-ipafont-gothic xvfb xauth xdotool
  imagemagick util-linux zip libxcursor1 libxrender1 libxrandr2 libxi6 libxinerama1
  libxcomposite1 libxfixes3 libxxf86vm1 libxext6 libfreetype6 libfontconfig1"

installed() {
    dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q '^install ok installed$'
}

# A failed refresh (one index file mid-sync on the mirror, a host out of reach) stops nothing:
# apt then installs from the package lists it already has, and only a package that cannot be
# had from them fails.
refresh_index() {
    apt-get update -q ||
        echo "apt-get update failed (above); going on with the package lists apt already has."
}

install_wine32() {
    # On a kernel without 32-bit support it cannot start, and once installed it would stop
    # 64-bit Wine as well (see runs-32bit.sh), so there it is left out and the i686 tests with it.
    if ! sh "$(dirname "$0")/runs-32bit.sh"; then
        if [ -x "$MILDA_WINE32_LOADER" ]; then
            echo "Warning: wine32:i386 is installed, but this kernel runs no 32-bit programs;" \
                "it stops 64-bit Wine too. Remove it: apt-get remove wine32:i386"
        fi
        return 0
    fi
    installed wine32:i386 && return 0
    # It is a package of the i386 architecture, which dpkg must know as a foreign one before
    # apt can see it.
    add_i386=""
    dpkg --print-foreign-architectures | grep -qx i386 || add_i386=yes
    if [ "$(id -u)" != 0 ]; then
        echo "Optional, for the i686 build's tests: 32-bit Wine. Install it with:"
        if [ -n "$add_i386" ]; then echo "  sudo dpkg --add-architecture i386"; fi
        echo "  sudo apt-get update"
        echo "  sudo apt-get install --no-install-recommends wine32:i386"
        return 0
    fi
    echo "Installing 32-bit Wine (wine32:i386) for the i686 build's tests"
    log=build/apt-wine32.log
    mkdir -p build
    if { [ -z "$add_i386" ] || dpkg --add-architecture i386; } >"$log" 2>&1 &&
        { refresh_index && DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -q --no-install-recommends wine32:i386; } >>"$log" 2>&1; then
        return 0
    fi
    reason=$(sed -n 's/^\(E\|dpkg\): \(.*[^.]\)\.*$/\2/p' "$log" | tail -n 1)
    echo "32-bit Wine could not be installed (apt: ${reason:-see $log}), so the i686 build's" \
        "tests will not run; everything else goes on. apt's whole answer is in $log. Try" \
        "again with: apt-get update && apt-get install --no-install-recommends wine32:i386"
    return 0
}

if [ "${1:-}" = wine32 ]; then
    install_wine32
    exit 0
fi

purpose="building and testing Milda"
[ "${1:-}" = icon ] && packages="imagemagick icoutils" purpose="make icon (redrawing the icon)"
missing=""
for p in $packages; do
    installed "$p" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
    echo "Missing packages for $purpose. Install them with:"
    echo "  sudo apt-get update"
    echo "  sudo apt-get install --no-install-recommends$missing"
    exit 1
fi
echo "Installing:$missing"
refresh_index
# $missing is a list of words: split on purpose.
# shellcheck disable=SC2086
if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing; then
    echo "Could not install the packages for $purpose; apt's message is above." \
        "Try again with:"
    echo "  apt-get update && apt-get install --no-install-recommends$missing"
    exit 1
fi
