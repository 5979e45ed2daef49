#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Puts CycloneDX's JSON schemas, which sbom_check.sh holds the bills of
# materials to, in the folder, as CycloneDX's own library on the npm registry
# ships them, pinned by version and hash: fetched by this machine's npm, from
# the registry that it is set to, unless the folder has them already.
# Usage: cyclonedx_schemas.sh FOLDER
set -euo pipefail
folder=$1
[[ ! -f $folder/bom-1.6.SNAPSHOT.schema.json ]] || exit 0
command -v npm >/dev/null || { echo "FAIL: CycloneDX's schemas come through npm, which is not installed"; exit 1; }
mkdir -p "$folder"
tarball=$(cd "$folder" && npm pack --silent @cyclonedx/cyclonedx-library@10.3.0)
sha256sum --quiet -c <<<"9833bd949052eb18218dd64b13ad62d9246f7395eef01c66dad08fcbacf74f01  $folder/$tarball" ||
    { echo "FAIL: $tarball is not the one pinned"; exit 1; }
tar xzf "$folder/$tarball" -C "$folder" --strip-components=3 package/res/schema
