#!/usr/bin/env bash
# The program must need no library beyond the system's own: on Linux the C
# library alone; on Windows KERNEL32.dll and the C runtime msvcrt.dll, as a
# console program.
# Usage: imports.sh OBJDUMP PROGRAM FORMAT LIBRARY...   (the libraries sorted)
set -euo pipefail

headers=$("$1" -p "$2")
format=$3
shift 3
imports=$(sed -n -e 's/^\s*DLL Name: //p' -e 's/^\s*NEEDED\s*//p' <<<"$headers" | sort | paste -sd ' ')
status=0
grep -q "file format $format" <<<"$headers" || { echo "FAIL: not $format"; status=1; }
if [[ $format == pei-* ]] && ! grep -qE 'Subsystem\s+00000003' <<<"$headers"; then
    echo "FAIL: not a console program"
    status=1
fi
[[ $imports == "$*" ]] || { echo "FAIL: imports $imports, want $*"; status=1; }
((status == 0)) && echo "imports: $imports"
exit $status
