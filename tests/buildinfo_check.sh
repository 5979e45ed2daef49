#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# A release's record, series-VERSION.buildinfo, as Debian's own parser
# (python3-debian) reads it: every field that deb-buildinfo(5) requires, the
# size and each sum of every other file of the release and of nothing else,
# and every package installed here at its version, foreign ones
# arch-qualified, in Installed-Build-Depends.
# Usage: buildinfo_check.sh FOLDER    the release's folder, run in its root
set -euo pipefail
shopt -s inherit_errexit
installed=$(dpkg-query -W -f '${db:Status-Abbrev} ${Package} ${Architecture} ${Version}\n')
native=$(dpkg --print-architecture)
python3 - "$1" "$native" "$installed" <<'END'
import hashlib, pathlib, sys
from debian.deb822 import BuildInfo
folder, native, installed = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
(path,) = folder.glob("series-*.buildinfo")
record = BuildInfo(path.read_text())
faults = [f"no {field}" for field in ("Format", "Source", "Binary", "Architecture", "Version", "Checksums-Md5",
          "Checksums-Sha1", "Checksums-Sha256", "Build-Architecture", "Installed-Build-Depends") if not record.get(field)]
others = {p.name for p in folder.iterdir()} - {path.name, "SHA256SUMS", "SHA256SUMS.sig"}
for field, sum_name in (("Checksums-Md5", "md5"), ("Checksums-Sha1", "sha1"), ("Checksums-Sha256", "sha256")):
    listed = {entry["name"]: entry for entry in record.get(field, [])}
    if set(listed) != others:
        faults.append(f"{field} lists {sorted(set(listed) ^ others)}, which it should not, or does not, which it should")
    for name, entry in listed.items():
        data = (folder / name).read_bytes() if name in others else b""
        if entry[sum_name] != hashlib.new(sum_name, data).hexdigest() or int(entry["size"]) != len(data):
            faults.append(f"{field}: {name}'s sum or size is wrong")
want = {(package if arch in (native, "all") else f"{package}:{arch}", version)
        for status, package, arch, version in (line.split() for line in installed.splitlines()) if status == "ii"}
named = {(dependency[0]["name"] + (f":{dependency[0]['archqual']}" if dependency[0]["archqual"] else ""),
          dependency[0]["version"][1]) for dependency in record.relations["installed-build-depends"]}
if named != want:
    faults.append(f"Installed-Build-Depends differs from the packages installed: {sorted(named ^ want)[:5]}")
print("\n".join(f"FAIL: {path.name}: {fault}" for fault in faults) or
      f"{path.name}: every required field, {len(others)} files summed, {len(want)} packages at their versions")
sys.exit(bool(faults))
END
