#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Prints the stripped sizes of the program and of the plain C program that
# makes the same calls, linked the same way, and fails past LIMIT times the
# C program's size.
# Usage: stripped_sizes.sh STRIP SERIES BASELINE LIMIT
set -euo pipefail

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$1" -o "$work/series" "$2"
"$1" -o "$work/baseline" "$3"
series_bytes=$(wc -c <"$work/series")
baseline_bytes=$(wc -c <"$work/baseline")
awk -v s="$series_bytes" -v b="$baseline_bytes" -v limit="$4" \
    -v name="${2##*/}" 'BEGIN {
        printf "stripped %s: %d bytes, plain C: %d bytes, ratio %.3f (limit %g)\n", name, s, b, s / b, limit
        exit !(s <= limit * b)
    }'
