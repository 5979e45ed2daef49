#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# An artefact's bill of materials, ARTEFACT.cdx.json, beside it: valid under
# CycloneDX 1.6's JSON schema, of the artefact's own hash, and with a
# component for each library that the program's link took (notices.sh list),
# at the version of the source that the installed package was built from.
# Usage: sbom_check.sh SCHEMA_FOLDER ARTEFACT [MAP]
#        SCHEMA_FOLDER holds CycloneDX's JSON schemas, as its own library
#        ships them (bom-1.6.SNAPSHOT.schema.json and those it refers to).
set -euo pipefail
shopt -s inherit_errexit
schemas=$1 artefact=$2 map=${3-} sbom=$2.cdx.json
python3 - "$schemas" "$sbom" <<'END'
import json, pathlib, sys, jsonschema
folder, sbom = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
store = {"http://cyclonedx.org/schema/" + p.name: json.loads(p.read_text()) for p in folder.glob("*.schema.json")}
schema = store["http://cyclonedx.org/schema/bom-1.6.SNAPSHOT.schema.json"]
validator = jsonschema.Draft7Validator(schema, resolver=jsonschema.RefResolver.from_schema(schema, store=store),
                                       format_checker=jsonschema.FormatChecker())
errors = [f"FAIL: {sbom.name}: {e.json_path}: {e.message}" for e in validator.iter_errors(json.loads(sbom.read_text()))]
print("\n".join(errors) or f"{sbom.name}: valid CycloneDX 1.6")
sys.exit(bool(errors))
END
listed=$(jq -r '.metadata.component.hashes[] | select(.alg == "SHA-256").content' "$sbom")
hash=$(sha256sum <"$artefact" | cut -d' ' -f1)
[[ $listed == "$hash" ]] || { echo "FAIL: ${sbom##*/} is not of ${artefact##*/}'s hash"; exit 1; }
got=$(jq -r '.components[] | "\(.name) \(.version)"' "$sbom" | sort)
want=$([[ -z $map ]] || package/notices.sh list "$map" | while read -r name _ _ package _; do
    source_version=$(dpkg-query -W -f '${source:Version}' "$package")
    echo "$name $source_version"
done | sort)
[[ $got == "$want" ]] || { echo "FAIL: ${sbom##*/} names"$'\n'"$got"$'\n'"where the link took, as installed:"$'\n'"$want"; exit 1; }
echo "${sbom##*/}: of the artefact's hash, naming ${got:-no library}" | paste -sd' '
