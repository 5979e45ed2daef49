#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Every relative link of the tracked Markdown files leads to a file, and to a
# heading of it where it names one (the anchor that GitHub makes of it).
# Usage: doc_links.sh, from the project's top folder
set -euo pipefail
# shellcheck disable=SC2016 # an awk program, whose $ are awk's
links=$(git ls-files '*.md' | xargs awk '{ while (match($0, /\]\([^) ]+\)/)) {
    target = substr($0, RSTART + 2, RLENGTH - 3); $0 = substr($0, RSTART + RLENGTH)
    if (target !~ /^[a-z]+:/) print FILENAME, target } }')
[[ -n $links ]] || { echo "FAIL: no relative link in the Markdown files"; exit 1; }
while read -r file target; do
    path=$(dirname "$file")/${target%%#*} anchor=${target#*#}
    [[ -n ${target%%#*} ]] || path=$file
    [[ -e $path ]] || { echo "FAIL: $file links to $target: no $path"; exit 1; }
    [[ $target != *#* ]] || sed -n 's/^#\+ //p' "$path" | tr 'A-Z ' 'a-z-' | tr -cd 'a-z0-9_\n-' | grep -qx -- "$anchor" ||
        { echo "FAIL: $file links to $target: $path has no such heading"; exit 1; }
done <<<"$links"
count=$(wc -l <<<"$links")
echo "the $count relative links of the Markdown files lead where they say"
