#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# series.exe carries the version resource that Explorer shows under
# Properties > Details, read back out of the built file.
# Usage: version_resource.sh WINDRES PROGRAM VERSION
set -euo pipefail

resource=$("$1" -i "$2" -O rc)
version=$3
status=0
for wanted in "FILEVERSION ${version//./, }, 0" "PRODUCTVERSION ${version//./, }, 0" \
              "\"FileVersion\", \"$version\"" "\"ProductVersion\", \"$version\"" \
              '"ProductName", "series"' '"OriginalFilename", "series.exe"' '"FileDescription", "S' \
              '"LegalCopyright", "Copyright 2026 The series maintainers. MIT License."'; do
    grep -qF "$wanted" <<<"$resource" || { echo "FAIL: no $wanted"; status=1; }
done
((status == 0)) && grep -E 'VERSION|VALUE "' <<<"$resource"
exit $status
