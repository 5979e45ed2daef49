#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Makes a release again from its downloads alone, as root, and says for each file of its SHA256SUMS whether the bytes
# are the same. DIST holds the source archive, the record series-VERSION.buildinfo and SHA256SUMS, and may hold the
# other downloads, which must match SHA256SUMS. In a root made afresh of the packages that the record names, at their
# versions (from SERIES_DEBIAN_MIRROR, else as tools/root.sh says), the archive's own tools/release.sh makes the
# release from the archive. Exits 1 where a file differs, or a package at its version cannot be had, which it names.
# Usage: tools/rebuild.sh DIST
set -euo pipefail
dist=$(realpath "${1:?usage: tools/rebuild.sh DIST}")
cd "$(dirname "$0")/.."
. tools/project.sh
. tools/root.sh
whole_run tools/rebuild.sh "$dist"
unset SOURCE_DATE_EPOCH  # the archive carries the release's time

record=$(find "$dist" -maxdepth 1 -name 'series-*.buildinfo' -printf '%f\n')
[[ $record =~ ^series-([0-9.]+)\.buildinfo$ ]] || die "$dist holds no single series-VERSION.buildinfo, but '$record'"
version=${BASH_REMATCH[1]} list=$dist/SHA256SUMS
(cd "$dist" && sha256sum --quiet --ignore-missing -c "$list") || die "the downloads above are not those that SHA256SUMS lists"
for file in "series-$version.tar.gz" "$record"; do
    awk -v file="$file" '$2 == file { listed = 1 } END { exit !listed }' "$list" || die "SHA256SUMS does not list $file"
done
built_on=$(sed -n 's/^Build-Architecture: //p' "$dist/$record")
[[ $built_on == "$native" ]] || die "the release was made on $built_on, whose compilers differ from $native's"

# Every package of the record, pinned: " NAME[:ARCH] (= VERSION)," becomes NAME[:ARCH]=VERSION.
packages=$(awk '/^Installed-Build-Depends:/ { inside = 1; next } inside && /^ / { sub(/\),?$/, ""); print $1 "=" $3; next }
    { inside = 0 }' "$dist/$record")
[[ $packages == *=* ]] || die "$record names no package"
root=$SERIES_RUN/root again=$SERIES_RUN/again
mkdir "$root" "$again"
make_project_root "$root" "$packages" || die "no root of $record's packages: SERIES_DEBIAN_MIRROR may name an archive that has them"
cp "$dist/series-$version.tar.gz" "$again" && tar -xzf "$again/series-$version.tar.gz" -C "$again"
# shellcheck disable=SC2016 # a program for the shell that it starts, whose $ are that shell's
(cd "$again" && unshare --mount bash -euc '. "$0/tools/root.sh" && enter_root "$@"' "series-$version" "$root" "" \
    bash "series-$version/tools/release.sh" "series-$version.tar.gz")

# The files made again, left for a look at any that differs (diffoscope).
rm -rf build/rebuilt && cp -a "$again/series-$version/build/dist" build/rebuilt
echo "Each file of SHA256SUMS, made again (in build/rebuilt):"
awk 'NR == FNR { made[$2] = $1; next } { same = made[$2] == $1; differ += !same; print (same ? "same     " : "DIFFERS  ") $2 }
    END { exit FNR == 0 || differ }' build/rebuilt/SHA256SUMS "$list"
