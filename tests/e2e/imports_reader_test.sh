#!/bin/sh
# The import reader on both of objdump's layouts: "vma hint name" before binutils 2.44, and
# "vma ordinal hint name" since, with an import by ordinal alone and the table after the list.
set -eu
read_imports() { printf "$1" | sh "$(dirname "$0")/imports_and_flags.sh" --read-imports | xargs; }
old=$(read_imports '\tDLL Name: KERNEL32.dll\n\tvma:  Hint/Ord Member-Name Bound-To
\t2eb10\t  214  CloseHandle\n\t2eb1e\t 1502  lstrcmpiW\n\n')
new=$(read_imports '\tDLL Name: msvcrt.dll\n\tvma:     Ordinal  Hint  Member-Name  Bound-To
\t000305d8  <none>  05c1  strchr\n\t000305e0      17  <none> <none>\n\n\t0002e028\t0002e0c0 0\n')
[ "$old" = "KERNEL32.DLL CloseHandle KERNEL32.DLL lstrcmpiW" ] &&
    [ "$new" = "MSVCRT.DLL strchr MSVCRT.DLL <none>" ] || { echo "read '$old', '$new'"; exit 1; }
