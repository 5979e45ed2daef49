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
# Usage: gates.sh SERIES BASELINE GNU_TIME VALGRIND [MEBIBYTES]   (large inputs of 16 MiB)
set -euo pipefail
# shellcheck source=SCRIPTDIR/../tools/checks.sh
. "$(dirname "$0")/../tools/checks.sh"
series=$1 baseline=$2 gnu_time=$3 valgrind=$4 mebibytes=${5:-16}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

# An input file: head, then MEBIBYTES of one character, then tail.
input() {  # name, head, filler character (none for a small input), tail
    local file=$work/$1
    { printf '%s' "$2"; [[ -z $3 ]] || head -c "${mebibytes}M" /dev/zero | tr '\0' "$3"; printf '%s' "$4"; } >"$file"
    echo "$file"
}

instructions() {  # program, input file
    local log=$work/cachegrind.log count
    : >"$log"
    env -i "$valgrind" --tool=cachegrind --cache-sim=no --cachegrind-out-file=/dev/null --log-file="$log" \
        "$1" <"$2" >/dev/null || { cat "$log" >&2; die "valgrind could not run ${1##*/}"; }
    count=$(sed -n 's/^==[0-9]*== I *refs: *//p' "$log" | tr -d ,)
    figure "valgrind's count of ${1##*/}" "$count"
    echo "$count"
}

peak_mib() {  # program, input file: whole MiB, rounded up, since it moves by a few pages from run to run
    local kib
    : >"$work/peak"
    env -i "$gnu_time" -f %M -o "$work/peak" "$1" <"$2" >/dev/null || die "GNU time could not run ${1##*/}"
    kib=$(<"$work/peak")
    figure "GNU time's peak memory of ${1##*/}" "$kib"
    echo $(((kib + 1023) / 1024))
}

gate() {  # what, figure, divided by, limit
    awk -v what="$1" -v figure="$2" -v by="$3" -v limit="$4" 'BEGIN {
        printf "%-58s %8.3f  (limit %g)%s\n", what, figure / by, limit, figure / by <= limit ? "" : "  FAIL"
        exit !(figure / by <= limit)
    }' || status=1
}

small=$(input small '9 2' '' $'\n')
largest=$(input largest '9 2147483647' '' $'\n')
series_small=$(instructions "$series" "$small")
c_small=$(instructions "$baseline" "$small")
series_largest=$(instructions "$series" "$largest")
echo "instructions, small input: series $series_small, plain C $c_small"
# The ratios' limits stand some 15% above the counts with Debian 12's glibc
# and GCC (series to plain C on small input: 1.125), the largest n's 1% above
# the smallest's: any loop over the terms at run time, or a reader that costs
# a third more a character, is past them.
gate "instructions, n = 2147483647 to n = 2" "$series_largest" "$series_small" 1.01
gate "instructions, series to plain C, n = 2" "$series_small" "$c_small" 1.3

while IFS=: read -r what name head filler tail limit; do
    file=$(input "$name" "$head" "$filler" "$tail")
    series_count=$(instructions "$series" "$file")
    c_count=$(instructions "$baseline" "$file")
    mib=$(peak_mib "$series" "$file")
    echo "$mebibytes MiB, $what: instructions, series $series_count, plain C $c_count"
    gate "  instructions, series to plain C" "$series_count" "$c_count" "$limit"
    gate "  series' peak memory, MiB rounded up" "$mib" 1 4
done <<END
white space, then 2 3:spaces:: :2 3:0.92
2, then a long number:digits:2 :7::0.39
leading zeros, then 2 3:zeros::0:2 3:0.37
END
exit $status
