#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The newest entries of NEWS and of the Debian changelog name the version and
# the release date that the CMake project states, as the manual page and the
# program do, which take theirs from it.
# Usage: release_entries.sh SOURCE_FOLDER VERSION DATE   (DATE as 2026-12-31)
set -uo pipefail
source=$1 version=$2 date=$3
failures=0
check() {  # file, what its newest entry names, what it should name
    [[ $2 == "$3" ]] || { echo "FAIL: $1: the newest entry names '$2', not '$3'"; failures=$((failures + 1)); }
}

# A file that cannot be read names nothing, which no check accepts.
named=$(head -n 1 "$source/NEWS")
check NEWS "$named" "series $version ($date)"
changelog=$source/package/changelog
named=$(sed -n '1s/^series (\([^)]*\)).*/\1/p' "$changelog")
check package/changelog "$named" "$version"
# The trailer's date, as "Tue, 08 Dec 2026 12:00:00 +0000", written as the project writes it.
named=$(awk 'BEGIN {
        split("Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec", names)
        for (i = 1; i <= 12; i++) month[names[i]] = i
    }
    /^ -- / {
        if (match($0, /, [0-9]+ [A-Z][a-z][a-z] [0-9]+ /) && split(substr($0, RSTART + 2, RLENGTH - 3), day, " ") == 3 &&
            day[2] in month)
            printf "%04d-%02d-%02d\n", day[3], month[day[2]], day[1]
        exit
    }' "$changelog")
check "package/changelog's trailer" "$named" "$date"

((failures == 0)) && echo "NEWS and package/changelog name series $version of $date, as the project does"
exit $((failures > 0))
