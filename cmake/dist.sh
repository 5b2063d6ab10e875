#!/bin/sh
# Builds the release: one zip per processor and the checksums over them.
#   dist.sh SOURCE_DIR OUT_DIR
# Each zip holds the folder milda-VERSION-PROCESSOR/ (x86_64 or x86) with the stripped,
# statically linked milda.exe, the players' read-me and the licence. Entries go in a fixed
# order with fixed permissions, dated SOURCE_DATE_EPOCH (by default the time of the checkout's
# last commit), so that the same commit gives the same bytes wherever and whenever it is built.
set -eu
src=$(cd "${1:?usage: dist.sh SOURCE_DIR OUT_DIR}" && pwd)
out=${2:?usage: dist.sh SOURCE_DIR OUT_DIR}
mkdir -p "$out"
out=$(cd "$out" && pwd)

version=$(sed -n 's/^project(Milda VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
[ -n "$version" ] || { echo "dist: no version in $src/CMakeLists.txt" >&2; exit 1; }
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct 2>/dev/null) ||
        SOURCE_DATE_EPOCH=$(stat -c %Y "$src/CMakeLists.txt")
fi
export SOURCE_DATE_EPOCH
# zip writes local times: UTC makes them the same everywhere.
export TZ=UTC LC_ALL=C

# Text for Notepad: CRLF line ends; the read-me is UTF-8 with a byte-order mark, which every
# Notepad since Windows XP reads as UTF-8.
crlf() { sed 's/$/\r/'; }

zips=""
for arch in x86_64 i686; do
    case $arch in
    x86_64) name=x86_64 ;;
    i686) name=x86 ;;
    esac
    # The presets dist-x86_64 and dist-i686 (CMakePresets.json) say how; a fresh folder each time.
    build="$src/build/dist-$arch"
    rm -rf "$build"
    mkdir -p "$build"
    log="$build/dist.log"
    if ! (cd "$src" && cmake --preset "dist-$arch" && cmake --build --preset "dist-$arch") \
        >"$log" 2>&1; then
        cat "$log" >&2
        exit 1
    fi

    # A folder per processor, so that both zips unpack side by side.
    folder="milda-$version-$name"
    stage="$build/stage"
    mkdir -p "$stage/$folder"
    cp "$build/app/milda.exe" "$stage/$folder/milda.exe"
    { printf '\357\273\277'; sed "s/@VERSION@/$version/g" "$src/docs/README-players.txt" | crlf; } \
        >"$stage/$folder/README.txt"
    crlf <"$src/LICENSE" >"$stage/$folder/LICENSE.txt"
    chmod 755 "$stage/$folder" "$stage/$folder/milda.exe"
    chmod 644 "$stage/$folder/README.txt" "$stage/$folder/LICENSE.txt"
    find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

    zip="$out/milda-$version-windows-$name.zip"
    rm -f "$zip"
    # -X: no extra fields (owner, extended times); the entries in this order.
    (cd "$stage" && zip -X -q -9 "$zip" "$folder/" "$folder/milda.exe" "$folder/README.txt" \
        "$folder/LICENSE.txt")
    touch -d "@$SOURCE_DATE_EPOCH" "$zip"
    zips="$zips $(basename "$zip")"
    printf '%s: %s bytes; %s: %s bytes\n' "$folder/milda.exe ($name)" \
        "$(stat -c %s "$stage/$folder/milda.exe")" "$(basename "$zip")" "$(stat -c %s "$zip")"
done
# shellcheck disable=SC2086 # the names hold no spaces
(cd "$out" && sha256sum $zips >SHA256SUMS)
cat "$out/SHA256SUMS"
