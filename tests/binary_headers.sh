#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# What the program needs to load, and on Windows the loader's protections.
# Usage: binary_headers.sh PROGRAM TOOL FORMAT [LIBRARY...]
# - FORMAT pei-i386 or pei-x86-64: TOOL is objdump. The program imports the
#   DLLs named, no others, and is a console program with ASLR and DEP, and
#   high-entropy ASLR for 64 bits.
# - FORMAT elf: TOOL is readelf. The program needs the libraries named and,
#   besides them, at most its own interpreter, the loader that it names. With
#   none named it stands alone: no interpreter, no library.
set -euo pipefail

program=$1 tool=$2 format=$3
shift 3
status=0
fail() {
    echo "FAIL: $*"
    status=1
}
if [[ $format == pei-* ]]; then
    headers=$("$tool" -p "$program")
    imports=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | sort | paste -sd ' ')
    grep -q "file format $format" <<<"$headers" || fail "not $format"
    grep -qE 'Subsystem\s+00000003' <<<"$headers" || fail "not a console program"
    protections=(DYNAMIC_BASE NX_COMPAT)
    [[ $format == pei-x86-64 ]] && protections+=(HIGH_ENTROPY_VA)
    for protection in "${protections[@]}"; do
        grep -qE "^\s+$protection$" <<<"$headers" || fail "no $protection"
    done
    wanted="$*"
else
    # read whole before grep -q, which stops reading at the first match: a
    # reader that then fails to write (llvm-readelf) would fail the pipe
    headers=$("$tool" -h "$program")
    grep -q 'Magic:\s*7f 45 4c 46' <<<"$headers" || fail "not ELF"
    interpreter=$("$tool" -lW "$program" | sed -n 's/.*Requesting program interpreter: \(.*\)]$/\1/p')
    imports=$("$tool" -dW "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]$/\1/p' | sort | paste -sd ' ')
    allowed=("$@")
    if (($# == 0)); then
        [[ -z $interpreter ]] || fail "interpreter $interpreter, want none"
    elif [[ -n $interpreter && " $imports " == *" ${interpreter##*/} "* ]]; then
        allowed+=("${interpreter##*/}")
    fi
    wanted=$(printf '%s\n' "${allowed[@]}" | sort | paste -sd ' ')
fi
[[ $imports == "$wanted" ]] || fail "needs '$imports', want '$wanted'"
((status == 0)) && echo "needs: ${imports:-nothing}${interpreter:+; loader $interpreter}${protections:+; ${protections[*]}}"
exit $status
