#!/bin/sh
# Exit status 0 when this machine runs 32-bit x86 Linux programs, which 32-bit Wine needs. Some
# kernels are built or booted without it (ia32_emulation=off); there Debian's wine32 cannot
# start, and once installed it makes `wine` pick that loader, so 64-bit Wine stops working too.
# The probe is the smallest static i386 program: exit(42) by system call, no libraries.
set -u
probe=$(mktemp "${TMPDIR:-/tmp}/milda-i386-probe.XXXXXX") || exit 2
trap 'rm -f "$probe"' EXIT
printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? -eq 42 ]
