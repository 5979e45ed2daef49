#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The performance gates, in figures that come out the same on every run,
# however busy the machine: the instructions that whole runs execute,
# counted by valgrind's cachegrind, of the program against the plain C
# program that reads the same input with scanf (stdio_baseline.c); and the
# peak memory that the kernel reports for a run. Each gate prints its figure
# beside its limit; a figure past its limit, or a tool that fails or prints
# no figure, fails the script. Every run has an empty environment, so that
# the counts depend on the programs and the input alone.
# Usage: gates.sh SERIES BASELINE GNU_TIME [MEBIBYTES]   (large inputs of 16 MiB)
set -euo pipefail
series=$1 baseline=$2 gnu_time=$3 mebibytes=${4:-16}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

fail() {
    echo "FAIL: $*"
    exit 1
}

# An input file: head, then MEBIBYTES of one character, then tail.
input() {  # name, head, filler character (none for a small input), tail
    local file=$work/$1
    { printf '%s' "$2"; [[ -z $3 ]] || head -c "${mebibytes}M" /dev/zero | tr '\0' "$3"; printf '%s' "$4"; } >"$file"
    echo "$file"
}

instructions() {  # program, input file
    local log=$work/cachegrind.log count
    env -i valgrind --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null --log-file="$log" \
        "$1" <"$2" >/dev/null || fail "valgrind could not run ${1##*/}: $(cat "$log")"
    count=$(sed -n 's/^==[0-9]*== I *refs: *//p' "$log" | tr -d ,)
    [[ $count =~ ^[0-9]+$ ]] || fail "valgrind counted no instructions of ${1##*/}: $(cat "$log")"
    echo "$count"
}

peak_kib() {  # program, input file
    local kib
    env -i "$gnu_time" -f %M -o "$work/peak" "$1" <"$2" >/dev/null || fail "GNU time could not run ${1##*/}"
    kib=$(<"$work/peak")
    [[ $kib =~ ^[0-9]+$ ]] || fail "GNU time reported no peak memory: $kib"
    echo "$kib"
}

gate() {  # what, figure, limit
    awk -v what="$1" -v figure="$2" -v limit="$3" 'BEGIN {
        printf "%-58s %8.3f  (limit %g)%s\n", what, figure, limit, figure <= limit ? "" : "  FAIL"
        exit !(figure <= limit)
    }' || status=1
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.6f", a / b }'; }

small=$(input small '9 2' '' $'\n')
largest=$(input largest '9 2147483647' '' $'\n')
series_small=$(instructions "$series" "$small")
c_small=$(instructions "$baseline" "$small")
echo "instructions, small input: series $series_small, plain C $c_small"
# The ratios' limits stand some 15% above the counts with Debian 12's glibc
# and GCC (series to plain C on small input: 1.125), the largest n's 1% above
# the smallest's: any loop over the terms at run time, or a reader that costs
# a third more a character, is past them.
gate "instructions, n = 2147483647 to n = 2" "$(ratio "$(instructions "$series" "$largest")" "$series_small")" 1.01
gate "instructions, series to plain C, n = 2" "$(ratio "$series_small" "$c_small")" 1.3

# The peak memory moves by a few pages from run to run: whole MiB, rounded up.
while IFS=: read -r what name head filler tail limit; do
    file=$(input "$name" "$head" "$filler" "$tail")
    series_count=$(instructions "$series" "$file")
    c_count=$(instructions "$baseline" "$file")
    echo "$mebibytes MiB, $what: instructions, series $series_count, plain C $c_count"
    gate "  instructions, series to plain C" "$(ratio "$series_count" "$c_count")" "$limit"
    gate "  series' peak memory, MiB rounded up" \
        "$(awk -v kib="$(peak_kib "$series" "$file")" 'BEGIN { mib = kib / 1024; print int(mib) + (mib > int(mib)) }')" 4
done <<END
white space, then 2 3:spaces:: :2 3:0.92
2, then a long number:digits:2 :7::0.39
leading zeros, then 2 3:zeros::0:2 3:0.37
END
exit $status
