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
. tools/root.sh
export LC_ALL=C  # apt's messages as make_root reads them
[[ $dist != "$PWD/build/rebuilt" ]] || die "build/rebuilt is where the release is made again: copy DIST elsewhere"
whole_run tools/rebuild.sh "$dist"
unset SOURCE_DATE_EPOCH  # the archive carries the release's time

record=$(find "$dist" -maxdepth 1 -name 'series-*.buildinfo' -printf '%f\n')
[[ $record =~ ^series-([0-9.]+)\.buildinfo$ ]] || die "$dist holds no single series-VERSION.buildinfo, but '$record'"
version=${BASH_REMATCH[1]} list=$dist/SHA256SUMS
[[ -f $dist/series-$version.tar.gz ]] || die "$dist holds no source archive series-$version.tar.gz"
(cd "$dist" && sha256sum --quiet --ignore-missing -c "$list") || die "the downloads above are not those that SHA256SUMS lists"
awk -v archive="series-$version.tar.gz" -v record="$record" '$2 == archive { a = 1 } $2 == record { r = 1 }
    END { exit !(a && r) }' "$list" || die "SHA256SUMS does not list both series-$version.tar.gz and $record"
built_on=$(sed -n 's/^Build-Architecture: //p' "$dist/$record")
[[ $built_on == "$native" ]] || die "the release was made on $built_on, whose compilers differ from $native's"

# Every package of the record, pinned: " NAME[:ARCH] (= VERSION)," becomes NAME[:ARCH]=VERSION.
packages=$(awk '/^Installed-Build-Depends:/ { inside = 1; next } inside && /^ / { sub(/\),?$/, ""); print $1 "=" $3; next }
    { inside = 0 }' "$dist/$record")
[[ $packages == *=* ]] || die "$record names no package"
root=$SERIES_RUN/root again=$SERIES_RUN/again
mkdir "$root" "$again"
make_project_root "$root" "$packages" ||
    die "no root of the packages that $record names: SERIES_DEBIAN_MIRROR may name an archive that has them"
cp "$dist/series-$version.tar.gz" "$again"
tar -xzf "$again/series-$version.tar.gz" -C "$again"
# this checkout's root.sh enters the root; the archive's own release.sh runs inside it
enter_root "$again" "$root" "" bash "series-$version/tools/release.sh" "series-$version.tar.gz"

# Each file of SHA256SUMS against the file made again, hashed here; and any file made again that it does not list.
made=$again/series-$version/build/dist
(cd "$made" && sha256sum -- *) >"$SERIES_RUN/made"
echo "Each file of SHA256SUMS, made again (in build/rebuilt):"
awk -v made="$SERIES_RUN/made" 'BEGIN { while ((getline line < made) > 0) { split(line, sum, "  "); sums[sum[2]] = sum[1] } }
    { same = sums[$2] == $1 ""; differ += !same; print (same ? "same     " : "DIFFERS  ") $2; delete sums[$2] }
    END { for (name in sums) if (name !~ /^SHA256SUMS/) { print "EXTRA    " name; differ++ }; exit NR == 0 || differ }' \
    "$list" && status=0 || status=$?
mkdir -p build && rm -rf build/rebuilt && cp -a "$made" build/rebuilt  # for a look at any that differs (diffoscope)
exit "$status"
