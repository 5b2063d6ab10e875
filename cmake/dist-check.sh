#!/bin/sh
# Proves the release reproducible: builds the checkout's last commit twice, in two fresh
# clones under different folder names and at different times, and compares every release file
# byte for byte. Prints the first difference, if any; uncommitted changes are not part of it.
#   dist-check.sh SOURCE_DIR
set -eu
src=$(cd "${1:?usage: dist-check.sh SOURCE_DIR}" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/milda-dist-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
first="$work/one"
second="$work/a-second-folder-with-a-longer-name"

git clone -q "$src" "$first"
git clone -q "$src" "$second"
echo "dist-check: commit $(git -C "$first" rev-parse --short HEAD)"
make -C "$first" --no-print-directory dist >"$work/one.log" 2>&1 || { cat "$work/one.log"; exit 1; }
# A later clock: a build that wrote the time would differ now.
sleep 2
make -C "$second" --no-print-directory dist >"$work/two.log" 2>&1 || { cat "$work/two.log"; exit 1; }

status=0
for file in $(cd "$first" && ls dist/* build/dist-x86_64/app/milda.exe build/dist-i686/app/milda.exe); do
    if cmp "$first/$file" "$second/$file"; then
        echo "same: $file ($(stat -c %s "$first/$file") bytes)"
    else
        echo "DIFFERENT: $file"
        status=1
    fi
done
[ $status -eq 0 ] && echo "dist-check: both builds are byte-identical"
exit $status
