#!/bin/sh
# The import reader on objdump's layouts before binutils 2.44 ("vma hint name") and since ("vma
# ordinal hint name"), with an import by ordinal alone and the table that follows the list.
set -eu
read_imports() { printf "$1" | sh "$(dirname "$0")/imports_and_flags.sh" --read-imports | xargs; }
old=$(read_imports '\tDLL Name: KERNEL32.dll\n\tvma:  Hint/Ord Member-Name Bound-To
\t2eb10\t  214  CloseHandle\n\t2eb1e\t 1502  lstrcmpiW\n\n')
new=$(read_imports '\tDLL Name: msvcrt.dll\n\tvma:     Ordinal  Hint  Member-Name  Bound-To
\t000305d8  <none>  05c1  strchr\n\t000305e0      17  <none> <none>\n\n\t0002e028\t0002e0c0 0\n')
[ "$old $new" = "KERNEL32.DLL CloseHandle KERNEL32.DLL lstrcmpiW MSVCRT.DLL strchr MSVCRT.DLL <none>" ] ||
    { echo "read '$old' and '$new'"; exit 1; }
