#!/usr/bin/env bash
# What the program needs to load: no library beyond the system's own (on
# Linux the C library alone; on Windows KERNEL32.dll and the C runtime
# msvcrt.dll, as a console program), and on Windows the loader's protections,
# ASLR and DEP, with high-entropy ASLR for 64 bits.
# Usage: binary_headers.sh OBJDUMP PROGRAM FORMAT LIBRARY...   (the libraries sorted)
set -euo pipefail

headers=$("$1" -p "$2")
format=$3
shift 3
imports=$(sed -n -e 's/^\s*DLL Name: //p' -e 's/^\s*NEEDED\s*//p' <<<"$headers" | sort | paste -sd ' ')
status=0
fail() {
    echo "FAIL: $*"
    status=1
}
grep -q "file format $format" <<<"$headers" || fail "not $format"
if [[ $format == pei-* ]]; then
    grep -qE 'Subsystem\s+00000003' <<<"$headers" || fail "not a console program"
    protections=(DYNAMIC_BASE NX_COMPAT)
    [[ $format == pei-x86-64 ]] && protections+=(HIGH_ENTROPY_VA)
    for protection in "${protections[@]}"; do
        grep -qE "^\s+$protection$" <<<"$headers" || fail "no $protection"
    done
fi
[[ $imports == "$*" ]] || fail "imports $imports, want $*"
((status == 0)) && echo "imports: $imports${protections:+; ${protections[*]}}"
exit $status
