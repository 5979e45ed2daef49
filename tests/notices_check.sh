#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# A package's notices of others' libraries, a file each in its third-party
# folder, and its bill of materials, ARTEFACT.cdx.json, held to what
# package/linked-libraries.txt says the program of its kind holds, apart from
# the link that both are read from: each library named once, taken as it
# says, and a symbol of each defined in the program; each notice of the
# version that the link took.
# Usage: notices_check.sh KIND BUILD NOTICES ARTEFACT
#        BUILD is the build folder of the program, with its map and the nm
#        that CMake found for it.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../tools/checks.sh
. "$(dirname "$0")/../tools/checks.sh"
kind=$1 build=$2 folder=$3 artefact=$4 sbom=$4.cdx.json count=0
fail() { die "${artefact##*/}: $*"; }
program=$build/series && [[ -f $program ]] || program+=.exe
symbols=$("$(sed -n 's/^CMAKE_NM:FILEPATH=//p' "$build/CMakeCache.txt")" --defined-only "$program")
notices=$(ls "$folder")
linked=$(awk -v kind="$kind" '$1 == kind { print $2, $3, $4 }' "$(dirname "$0")/../package/linked-libraries.txt")
libraries=$("$(dirname "$0")/../package/notices.sh" list "$build/series.map")

while read -r pattern taken symbol; do
    # shellcheck disable=SC2053 # the pattern is a glob of linked-libraries.txt, such as gcc-12*
    notice=$(for name in $notices; do [[ ${name%.txt} != $pattern ]] || echo "$name"; done)
    matches=$(wc -w <<<"$notice")
    ((matches == 1)) || fail "where $pattern is linked, the notices are: $notices"
    how=$(jq -r --arg name "${notice%.txt}" '.components[] | select(.name == $name).properties[]
        | select(.name == "series:linked").value | sub("linked statically"; "members") | sub("start files"; "objects")' "$sbom")
    [[ $how =~ ^(members|objects)$ && ($taken == '*' || $how == "$taken") ]] ||
        fail "its SBOM names ${notice%.txt} as taken '${how:-not at all}', not $taken"
    grep -Eq "[[:space:]]($symbol)\$" <<<"$symbols" || fail "its program defines no $symbol of $pattern"
    count=$((count + 1))
done <<<"$linked"
listed=$(wc -w <<<"$notices")
components=$(jq '.components | length' "$sbom")
component_names=$(jq -c '[.components[].name]' "$sbom")
figure "the libraries that a $kind program links" "$count"
figure "the components of $sbom" "$components"
((listed == count && components == count)) ||
    fail "$count libraries linked; notices: $notices; in the SBOM: $component_names"

while read -r name version _; do
    head -n 1 "$folder/$name.txt" | grep -q "^$name $version, " || fail "the notice of $name is not of $version"
done <<<"$libraries"
names=$(paste -sd ' ' <<<"$notices")
echo "${artefact##*/}: the notices and the SBOM of $names, as linked"
