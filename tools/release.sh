#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Makes the release in build/dist, as root, in the project's Debian root (tools/root.sh): the source archive of the
# checked-out commit, or the one given (as tools/rebuild.sh does), and from that archive alone a tarball and a .deb
# for each Linux architecture, a zip for each Windows one, an SBOM of each (ARTEFACT.cdx.json), the root's record
# (.buildinfo), SHA256SUMS. Every file carries the time SOURCE_DATE_EPOCH, else the commit's: the same commit, in a
# root of the same packages, gives the same bytes.
# Usage: tools/release.sh [SOURCE-ARCHIVE]
set -euo pipefail
given=${1:+$(realpath "$1")}
cd "$(dirname "$0")/.."
. tools/project.sh
. tools/root.sh
export LC_ALL=C

[[ -n $given ]] || { changes=$(git status --porcelain --untracked-files=no) && [[ -z $changes ]]; } ||
    { echo "release: the work tree has changes that are not committed, or git cannot tell; a release is made from a commit" >&2; exit 1; }
inside_project_root ||
    { whole_run tools/release.sh ${given:+"$given"}; in_project_root tools/release.sh ${given:+"$given"}; exit; }
SOURCE_DATE_EPOCH=$(cmake -P cmake/source_date_epoch.cmake) && export SOURCE_DATE_EPOCH
version=$(project_version)
[[ -z $given || ${given##*/} == "series-$version.tar.gz" ]] || die "$given is not this source's archive, series-$version.tar.gz"
dist=$PWD/build/dist builds=$PWD/build/release-builds
rm -rf "$dist" "$builds" && mkdir -p "$dist" "$builds"

# The source archive: the commit's tracked files, with the release's time, which a build from them alone keeps.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -n $given ]]; then
    cp "$given" "$dist/series-$version.tar.gz"
    package/sbom.sh "$dist/series-$version.tar.gz" "$version" >"$dist/series-$version.tar.gz.cdx.json"
else
    git archive --prefix="series-$version/" HEAD | tar -x -C "$work"
    echo "$SOURCE_DATE_EPOCH" >"$work/series-$version/cmake/commit-time"
    package/package.sh source "$work/series-$version" "$dist/series-$version.tar.gz" "$version"
fi
# Everything else is built from the archive, unpacked afresh: it alone is enough.
source=$work/source/series-$version
mkdir "$work/source"
tar -xzf "$dist/series-$version.tar.gz" -C "$work/source"

package() {  # target, build folder, configure arguments...: the package and its SBOM
    echo "-- $2"
    { cmake -S "$source" -B "$2" "${@:3}" && cmake --build "$2" --target "$1"; } >"$2.log" 2>&1 ||
        { cat "$2.log"; return 1; }
    cp "$2"/series[-_]* "$dist"
}

# Every Linux program links Debian's libc6-dev: this machine's, or the others' multiarch one.
architectures=$(linux_architectures)
while read -r architecture _ _ released; do
    [[ $released == yes ]] || continue
    settings=()
    [[ $architecture == "$native" ]] || settings=(--toolchain "$source/cmake/linux-cross.cmake"
        -DSERIES_ARCHITECTURE="$architecture" -DSERIES_MULTIARCH_LIBC=ON)
    package tarball "$builds/tarball-$architecture" --preset tarball "${settings[@]}"
    package deb "$builds/deb-$architecture" --preset deb "${settings[@]}"
done <<<"$architectures"
for windows in windows-x86 windows-x64; do package zip "$builds/zip-$windows" --preset "$windows" -DBUILD_TESTING=OFF; done

# The source of each library whose licence asks for it, at the version linked, from Debian.
libraries=$(for map in "$builds"/*/series.map; do package/notices.sh list "$map"; done)
sources=$(awk '$3 == "source" { print $1 "=" $2 }' <<<"$libraries" | sort -u)
for library in $sources; do
    echo "-- the source of $library"
    (cd "$dist" && apt-get source --download-only -q "$library" >/dev/null)
done

# What it was made with, by dpkg's own tool, which sums every other file of the release. Its Installed-Build-Depends
# comes from the package's build dependencies, of the build's architecture alone: here it is every package of the
# root, foreign ones arch-qualified. No Build-Date, which is the time of the run: the release's is in its files.
cd "$dist"
mkdir "$work/debian" && cp "$source/package/control" "$source/package/changelog" "$work/debian"
printf '%s - -\n' * >"$work/debian/files"
dpkg-query -W -f '${db:Status-Abbrev} ${Package}:${Architecture} (= ${Version})\n' | sed -n "s/^ii  */ /p" |
    sed "s/:\($native\|all\) / /" | sort | sed '$!s/$/,/' >"$work/installed"
(cd "$work" && env -i PATH="$PATH" LC_ALL=C SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH" dpkg-genbuildinfo --build=any -u"$dist" -O) |
    awk -v installed="$work/installed" '/^Build-Date:/ { next } /^Installed-Build-Depends:/ { print; skip = 1
        while ((getline line < installed) > 0) print line; next } skip && /^ / { next } { skip = 0; print }' \
    >"series-$version.buildinfo"
sha256sum -- * >SHA256SUMS
cat SHA256SUMS
