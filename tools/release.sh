#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Makes the release of the checked-out commit in build/dist, as root, in the project's Debian root (tools/root.sh):
# the source archive, a tarball and a .deb for each Linux architecture, a zip for each Windows one, an SBOM of each
# (ARTEFACT.cdx.json), the root's record, SHA256SUMS. Every file carries the time SOURCE_DATE_EPOCH, else the
# commit's: the same commit, in a root of the same packages, gives the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."
. tools/project.sh
. tools/root.sh
export LC_ALL=C

{ changes=$(git status --porcelain --untracked-files=no) && [[ -z $changes ]]; } ||
    { echo "release: the work tree has changes that are not committed, or git cannot tell; a release is made from a commit" >&2; exit 1; }
inside_project_root || { whole_run tools/release.sh; in_project_root tools/release.sh; exit; }
SOURCE_DATE_EPOCH=$(release_time) && export SOURCE_DATE_EPOCH
version=$(project_version)
dist=$PWD/build/dist builds=build/release-builds
rm -rf "$dist" "$builds" && mkdir -p "$dist" "$builds"

# The commit's tracked files, with the release's time, which a build from them alone keeps.
source_tree=$(mktemp -d)
trap 'rm -rf "$source_tree"' EXIT
git archive --prefix="series-$version/" HEAD | tar -x -C "$source_tree"
echo "$SOURCE_DATE_EPOCH" >"$source_tree/series-$version/cmake/commit-time"
package/package.sh source "$source_tree/series-$version" "$dist/series-$version.tar.gz" "$version"

package() {  # target, build folder, configure arguments...: the package and its SBOM
    echo "-- $2"
    { cmake -B "$2" "${@:3}" && cmake --build "$2" --target "$1"; } >"$2.log" 2>&1 || { cat "$2.log"; return 1; }
    cp "$2"/series[-_]* "$dist"
}

# Every Linux program links Debian's libc6-dev: this machine's, or the others' multiarch one.
native=$(dpkg --print-architecture)
architectures=$(linux_architectures)
while read -r architecture _ _ released; do
    [[ $released == yes ]] || continue
    settings=()
    [[ $architecture == "$native" ]] || settings=(--toolchain cmake/linux-cross.cmake
        -DSERIES_ARCHITECTURE="$architecture" -DSERIES_MULTIARCH_LIBC=ON)
    package tarball "$builds/tarball-$architecture" --preset tarball "${settings[@]}"
    package deb "$builds/deb-$architecture" --preset deb "${settings[@]}"
done <<<"$architectures"
for windows in windows-x86 windows-x64; do package zip "$builds/zip-$windows" --preset "$windows" -DBUILD_TESTING=OFF; done

# The source of each library whose licence asks for it, at the version linked, from Debian.
for map in "$builds"/*/series.map; do package/notices.sh list "$map"; done |
    awk '$3 == "source" { print $1 "=" $2 }' | sort -u | while read -r source; do
    echo "-- the source of $source"
    (cd "$dist" && apt-get source --download-only -q "$source" >/dev/null)
done

cd "$dist"
# What it was made with, in the fields of Debian's .buildinfo and two of its own.
vendor=$(dpkg-vendor --query Vendor)
suites=$(awk '$1 == "deb" { print $3 }' /etc/apt/sources.list | paste -sd' ')
printf '%s\n' "Format: 1.0" "Source: series" "Version: $version" "Build-Origin: $vendor" \
    "Build-Architecture: $native" "Build-Suites: $suites" \
    "Build-Point-Release: $(</etc/debian_version)" "Installed-Build-Depends:" >"series-$version.buildinfo"
dpkg-query -W -f '${db:Status-Abbrev} ${binary:Package} (= ${Version})\n' | sed -n 's/^ii  *//p' | sort |
    sed 's/^/ /; $!s/$/,/' >>"series-$version.buildinfo"
sha256sum -- * >SHA256SUMS
cat SHA256SUMS
