#!/bin/sh
# The computer player's library runs on every processor of its kind: instructions beyond the
# baseline appear only in the fast search kernel, and that kernel's object defines nothing
# outside itself but its kernel table, so the linker can never hand a baseline caller one of its
# functions in place of a baseline copy.
#
#   isa_check.sh OBJDUMP NM LIBRARY
set -eu
objdump=$1
nm=$2
lib=$3
fast=search_kernel_fast

# Symbols the fast kernel's object makes visible to the linker (upper-case types): only the table,
# the unwinder's pointer to the C++ personality routine and the stack protector's pointer to its
# canary, which are data.
exported=$("$nm" -A --defined-only "$lib" |
    awk -v fast="$fast" 'index($1, fast) && $(NF - 1) ~ /^[A-Z]$/ &&
        $NF !~ /FAST_SEARCH_KERNEL$/ && $NF !~ /^DW\.ref\.__gxx_personality_v0$/ &&
        $NF !~ /^\.refptr\.__stack_chk_guard$/')
if [ -n "$exported" ]; then
    echo "the fast kernel exports more than its table:"
    echo "$exported"
    exit 1
fi

# Mnemonics of POPCNT, LZCNT, BMI1/2 and AVX (VEX-coded); tzcnt is absent on purpose: the
# compiler writes bsf as "rep bsf", which every processor runs as bsf.
found=$("$objdump" -d --no-show-raw-insn "$lib" | awk -v fast="$fast" '
    /file format/ { member = $1; next }
    index(member, fast) { next }
    $2 ~ /^(popcnt|lzcnt|andn|blsi|blsr|blsmsk|bextr|bzhi|pdep|pext|mulx|rorx|sarx|shlx|shrx|v[a-z0-9]+)$/ {
        print member " " $0
    }' | head -5)
if [ -n "$found" ]; then
    echo "instructions beyond the baseline outside the fast kernel:"
    echo "$found"
    exit 1
fi
# The fast kernel must be in the library at all, or the checks above prove nothing.
"$nm" -A --defined-only "$lib" | grep -q "FAST_SEARCH_KERNEL" || {
    echo "no fast kernel in $lib"
    exit 1
}
