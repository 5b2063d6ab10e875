#!/bin/sh
# Installs the Debian packages that building and testing need and that are missing, when run as
# root; otherwise prints the exact commands that would install them and fails.
set -u
packages="cmake ninja-build make g++ git googletest libgtest-dev libbenchmark-dev clang-format
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686 wine wine64 fonts-wine fonts-ipafont-gothic xvfb xauth xdotool
  imagemagick util-linux zip libxcursor1 libxrender1 libxrandr2 libxi6 libxinerama1
  libxcomposite1 libxfixes3 libxxf86vm1 libxext6 libfreetype6 libfontconfig1"

# 32-bit Wine, for the i686 build's tests, only where the kernel runs 32-bit programs; elsewhere
# installing it would break 64-bit Wine as well (see runs-32bit.sh), so it is left out and the
# i686 tests with it. It is a package of the i386 architecture, which dpkg must know as a foreign
# one before apt can see it.
if sh "$(dirname "$0")/runs-32bit.sh"; then
    packages="$packages wine32:i386"
elif [ -x /usr/lib/wine/wine ]; then
    echo "Warning: wine32:i386 is installed, but this kernel runs no 32-bit programs;" \
        "it stops 64-bit Wine too. Remove it: apt-get remove wine32:i386"
fi

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}\n' "$p" 2>/dev/null | grep -q '^install ok installed$' ||
        missing="$missing $p"
done
[ -z "$missing" ] && exit 0

add_i386=""
case "$missing" in
*:i386*) dpkg --print-foreign-architectures | grep -qx i386 || add_i386=yes ;;
esac

if [ "$(id -u)" = 0 ]; then
    echo "Installing:$missing"
    if [ -n "$add_i386" ]; then dpkg --add-architecture i386 || exit 1; fi
    # $missing is a list of words: split on purpose.
    # shellcheck disable=SC2086
    apt-get update -q && DEBIAN_FRONTEND=noninteractive \
        apt-get install -y -q --no-install-recommends $missing
else
    echo "Missing packages. Install them with:"
    if [ -n "$add_i386" ]; then echo "  sudo dpkg --add-architecture i386"; fi
    echo "  sudo apt-get update"
    echo "  sudo apt-get install --no-install-recommends$missing"
    exit 1
fi
