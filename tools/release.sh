#!/usr/bin/env bash
# Makes the release of the checked-out commit in build/dist: the source
# archive, a .deb and a tarball for each Linux architecture, a zip for each
# Windows one, and SHA256SUMS. Every file carries the time SOURCE_DATE_EPOCH,
# or the commit's where that is not set, so that the same commit gives the
# same bytes wherever, whenever and by whomever it is built.
# Usage: tools/release.sh
set -euo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C

if [[ -n $(git status --porcelain --untracked-files=no) ]]; then
    echo "release: the work tree has changes that are not committed; a release is made from a commit" >&2
    exit 1
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
version=$(sed -n 's/^project(series VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
dist=build/dist
rm -rf "$dist"
mkdir -p "$dist"

# The source archive: the commit's tracked files, with the release's time
# written in, so that a build from it alone makes the same packages.
source_tree=$(mktemp -d)
trap 'rm -rf "$source_tree"' EXIT
git archive --prefix="series-$version/" HEAD | tar -x -C "$source_tree"
echo "$SOURCE_DATE_EPOCH" >"$source_tree/series-$version/cmake/commit-time"
tar --sort=name --format=gnu --owner=0 --group=0 --numeric-owner --mode=u+rw,go=u-w \
    --mtime="@$SOURCE_DATE_EPOCH" -C "$source_tree" -cf - "series-$version" |
    gzip -9n >"$dist/series-$version.tar.gz"

for preset in package package-linux-arm64 package-linux-armhf package-linux-i386 \
              package-windows-x86 package-windows-x64; do
    rm -f "build/$preset"/series[-_]*  # an earlier build's packages
    cmake --workflow --preset "$preset" --fresh
    cp "build/$preset"/series[-_]* "$dist"
done

cd "$dist"
sha256sum -- * >SHA256SUMS
cat SHA256SUMS
