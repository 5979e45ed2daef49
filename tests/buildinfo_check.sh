#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# A release's record, series-VERSION.buildinfo, as Debian's own parser
# (python3-debian) reads it: every field that deb-buildinfo(5) requires, once,
# those that say what was made, and where, with their values; the size and
# each sum of every other file of the release, once, and of nothing else; and
# every package installed here at its version (=), foreign ones
# arch-qualified, once, in Installed-Build-Depends.
# Usage: buildinfo_check.sh FOLDER    the release's folder, run in its root
set -euo pipefail
shopt -s inherit_errexit
installed=$(dpkg-query -W -f '${db:Status-Abbrev} ${Package} ${Architecture} ${Version}\n')
native=$(dpkg --print-architecture)
python3 - "$1" "$native" "$installed" <<'END'
import hashlib, pathlib, re, sys
from debian.deb822 import BuildInfo
folder, native, installed = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3]
(path,) = folder.glob("series-*.buildinfo")
text = path.read_text()
record = BuildInfo(text)
faults = [f"no {field}" for field in ("Format", "Source", "Binary", "Architecture", "Version", "Checksums-Md5",
          "Checksums-Sha1", "Checksums-Sha256", "Build-Architecture", "Installed-Build-Depends") if not record.get(field)]
faults += [f"{field} twice" for field in set(re.findall(r"^([^ #][^:]*):", text, re.M))
           if len(re.findall(rf"^{re.escape(field)}:", text, re.M)) > 1]
debs = {p.name.split("_")[2][:-4] for p in folder.glob("series_*.deb")}
wanted = {"Format": "1.0", "Source": "series", "Binary": "series", "Version": path.name[7:-10],
          "Architecture": " ".join(sorted(debs)), "Build-Architecture": native}
faults += [f"{field} is {record.get(field)!r}, not {value!r}" for field, value in wanted.items() if record.get(field) != value]
others = {p.name for p in folder.iterdir()} - {path.name, "SHA256SUMS", "SHA256SUMS.sig"}
for field, sum_name in (("Checksums-Md5", "md5"), ("Checksums-Sha1", "sha1"), ("Checksums-Sha256", "sha256")):
    entries = record.get(field, [])
    listed = {entry["name"]: entry for entry in entries}
    if set(listed) != others or len(entries) != len(listed):
        faults.append(f"{field} lists {sorted(set(listed) ^ others)}, which it should not, or does not, or a file twice")
    for name, entry in listed.items():
        data = (folder / name).read_bytes() if name in others else b""
        if entry[sum_name] != hashlib.new(sum_name, data).hexdigest() or int(entry["size"]) != len(data):
            faults.append(f"{field}: {name}'s sum or size is wrong")
want = {(package if arch in (native, "all") else f"{package}:{arch}", version)
        for status, package, arch, version in (line.split() for line in installed.splitlines()) if status == "ii"}
relations = record.relations["installed-build-depends"]
named = [(first["name"] + (f":{first['archqual']}" if first["archqual"] else ""), first["version"])
         for first, *alternatives in relations if not alternatives]
if len(named) != len(relations) or any(version is None or version[0] != "=" for _, version in named):
    faults.append("Installed-Build-Depends has an entry that is not one package at one version (=)")
named_set = {(name, version[1]) for name, version in named if version}
if named_set != want or len(named) != len(named_set):
    faults.append(f"Installed-Build-Depends differs from the packages installed: {sorted(named_set ^ want)[:5]}")
print("\n".join(f"FAIL: {path.name}: {fault}" for fault in faults) or
      f"{path.name}: every required field, {len(others)} files summed, {len(want)} packages at their versions")
sys.exit(bool(faults))
END
