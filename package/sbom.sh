#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# A CycloneDX 1.6 bill of materials of one artefact of a release, on standard
# output: the artefact itself, by its SHA-256, and a component for each
# library that its program took pieces of when it was linked, as the notices
# read them from the linker's map (notices.sh list), by its Debian source
# package, version and licence. A function of the artefact and the map alone:
# its time is SOURCE_DATE_EPOCH and its serial number comes from the hash.
# Usage: sbom.sh ARTEFACT VERSION [MAP]
set -euo pipefail
export LC_ALL=C
: "${SOURCE_DATE_EPOCH:?must be the release time}"
here=$(realpath "$0")
here=${here%/*}
artefact=$1 version=$2 map=${3-}
hash=$(sha256sum <"$artefact" | cut -d' ' -f1)
# a version 5 UUID's layout, of the artefact's hash
uuid=${hash:0:8}-${hash:8:4}-5${hash:13:3}-$(printf %x $((0x${hash:16:1} & 3 | 8)))${hash:17:3}-${hash:20:12}

time=$(date -u -d "@$SOURCE_DATE_EPOCH" +%Y-%m-%dT%H:%M:%SZ)

{ [[ -z $map ]] || "$here/notices.sh" list "$map"; } | jq -nR --arg file "${artefact##*/}" --arg version "$version" \
    --arg hash "$hash" --arg uuid "$uuid" --arg time "$time" '
    [inputs | split(" ") | {name: .[0], version: .[1], package: .[3], taken: .[6], licence: (.[7:] | join(" "))}
        | .purl = "pkg:deb/debian/\(.name)@\(.version | @uri)?arch=source"] as $libraries
    | {bomFormat: "CycloneDX", specVersion: "1.6", serialNumber: "urn:uuid:\($uuid)", version: 1,
       metadata: {timestamp: $time,
                  component: {type: "application", "bom-ref": $file, name: "series", version: $version,
                              licenses: [{license: {id: "MIT"}}], hashes: [{alg: "SHA-256", content: $hash}],
                              properties: [{name: "series:artefact", value: $file}]}},
       components: [$libraries[] | {type: "library", "bom-ref": .purl, name, version, purl,
                                   licenses: [{expression: .licence}],
                                   properties: [{name: "series:linked",
                                                 value: (if .taken == "members" then "linked statically"
                                                         else "start files" end)},
                                                {name: "series:debian-package", value: .package}]}],
       dependencies: [{ref: $file, dependsOn: [$libraries[].purl]}, ($libraries[] | {ref: .purl, dependsOn: []})]}'
