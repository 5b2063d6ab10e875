#!/bin/sh
# Reads the game's executable header and import table, as the Windows loader will:
#   imports_and_flags.sh OBJDUMP MILDA_EXE ALLOWED_IMPORTS BITS
# Fails on an imported function that is not on the allowed list (each entry there is known to
# be in the oldest Windows the game supports), on OS or subsystem versions other than that
# floor, and on a missing hardening flag: address-space randomisation with the relocations
# kept, no execution of data, 64-bit randomisation (64-bit only) and terminal-server awareness.
# It reads the file without running it, so it works where the executable cannot run.
# With --read-imports alone, it reads objdump -p's text on its input and prints the imports.
set -eu

# Every imported function in objdump -p's text, as "DLL function" with the DLL in upper case,
# from the column headed Member-Name: binutils 2.44 put an ordinal column before the hint. A
# function imported by ordinal alone shows as "<none>", which no list holds.
read_imports() {
    awk '/^\tDLL Name: / { dll = toupper($3); column = 0; next }
        /^$/ { dll = "" }
        dll != "" && /Member-Name/ { for (i = 1; i <= NF; i++) if ($i == "Member-Name") column = i }
        dll != "" && column && /^\t[0-9a-f]+[ \t]/ { print dll, $column }'
}
[ "${1:-}" != --read-imports ] || { read_imports; exit; }

objdump=${1:?usage: imports_and_flags.sh OBJDUMP MILDA_EXE ALLOWED_IMPORTS BITS}
exe=${2:?}
allowed=${3:?}
bits=${4:?}

headers=$("$objdump" -p "$exe")
failed=0
fail() {
    echo "FAIL: $*"
    failed=1
}

# The floor for this word size, from the allowed list: "floor BITS MAJOR.MINOR".
floor=$(awk -v bits="$bits" '$1 == "floor" && $2 == bits { print $3 }' "$allowed")
[ -n "$floor" ] || { echo "no floor for $bits-bit in $allowed"; exit 1; }
field() { printf '%s\n' "$headers" | awk -v name="$1" '$1 == name { print $2; exit }'; }
for kind in OSystem Subsystem; do
    version="$(field "Major${kind}Version").$(field "Minor${kind}Version")"
    [ "$version" = "$floor" ] || fail "${kind} version $version, not the floor $floor"
done

# DllCharacteristics: the flag names objdump prints under the value, one per line.
flags=$(printf '%s\n' "$headers" | awk '/^DllCharacteristics/ { on = 1; next }
    on && /^\t/ { print $1; next } { on = 0 }')
wanted="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
[ "$bits" = 64 ] && wanted="$wanted HIGH_ENTROPY_VA"
for flag in $wanted; do
    printf '%s\n' "$flags" | grep -qx "$flag" || fail "DllCharacteristics lacks $flag"
done
# Randomisation moves the image only if it carries its relocations.
printf '%s\n' "$headers" | grep -q 'relocations stripped' && fail "relocations stripped"
relocations=$(printf '%s\n' "$headers" | awk '/Base Relocation Directory/ { print $4; exit }')
[ -n "$relocations" ] && [ "$((0x$relocations))" -gt 0 ] ||
    fail "no base relocations"

imports=$(printf '%s\n' "$headers" | read_imports)
[ -n "$imports" ] || fail "no imports read from $exe"
# The list: lines of a DLL and one or more of its functions.
list=$(awk '!/^#/ && NF >= 2 && $1 != "floor" { for (i = 2; i <= NF; i++) print toupper($1), $i }' \
    "$allowed")
unlisted=$(printf '%s\n' "$imports" | while read -r dll function; do
    printf '%s\n' "$list" | grep -qxF "$dll $function" || echo "  $dll $function"
done)
[ -z "$unlisted" ] || fail "imports not on $(basename "$allowed"):
$unlisted"

if [ "$failed" = 0 ]; then
    echo "$(basename "$exe") ($bits-bit): $(printf '%s\n' "$imports" | wc -l) imports, all on the" \
        "list; OS and subsystem $floor; flags:" $wanted
fi
exit "$failed"
