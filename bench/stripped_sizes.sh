#!/usr/bin/env bash
# Prints the stripped sizes of the program and of the plain C program that
# makes the same calls, and fails past the bar of twice the C program's size.
# Usage: stripped_sizes.sh STRIP SERIES BASELINE
set -euo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" -o "$work/series" "$2"
"$1" -o "$work/baseline" "$3"
series=$(stat -c %s "$work/series")
baseline=$(stat -c %s "$work/baseline")
awk -v s="$series" -v b="$baseline" -v name="${2##*/}" \
    'BEGIN { printf "stripped %s: %d bytes, plain C: %d bytes, ratio %.2f\n", name, s, b, s / b }'
((series <= 2 * baseline))
