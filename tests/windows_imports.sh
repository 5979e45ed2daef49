#!/usr/bin/env bash
# series.exe must be a 32-bit console program that needs no DLL beyond the
# system's own: KERNEL32.dll and the C runtime msvcrt.dll.
# Usage: windows_imports.sh OBJDUMP SERIES_EXE
set -euo pipefail

headers=$("$1" -p "$2")
imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | sort | paste -sd ' ')
status=0
grep -q 'file format pei-i386' <<<"$headers" || { echo "FAIL: not a 32-bit PE"; status=1; }
grep -qE 'Subsystem\s+00000003' <<<"$headers" || { echo "FAIL: not a console program"; status=1; }
[[ $imports == 'KERNEL32.dll msvcrt.dll' ]] || { echo "FAIL: imports $imports"; status=1; }
((status == 0)) && echo "imports: $imports"
exit $status
