#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# Makes one package of a release, a function of its files alone: every file
# carries the time SOURCE_DATE_EPOCH, modes of its own, owner root, in name
# order, whatever the machine, user, umask, time zone and file system; and
# its CycloneDX bill of materials beside it, OUTPUT.cdx.json (sbom.sh).
# Usage: package.sh source FOLDER OUTPUT VERSION    the folder, as a .tar.gz
#        package.sh tarball BUILD OUTPUT VERSION    the build installed in a
#                                                   folder named as OUTPUT,
#                                                   as a .tar.gz
#        package.sh zip BUILD OUTPUT VERSION        likewise, as a .zip
#        package.sh deb BUILD OUTPUT VERSION ARCHITECTURE
#                                                   the build installed in
#                                                   /usr, as a .deb, by
#                                                   dpkg's own tools
set -euo pipefail
export LC_ALL=C TZ=UTC0  # a zip's times are local times
: "${SOURCE_DATE_EPOCH:?must be the release time}"
format=$1 from=$2 output=$(realpath -m "$3") version=$4
here=$(realpath "$0")
here=${here%/*}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The folder's files, with the release's modes and time.
settle() {  # folder
    chmod -R u+rw,go=u-w "$1"
    find "$1" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +
}

tar_gz() {  # folder: it and what it holds, to the output
    settle "$1"
    tar --sort=name --format=gnu --owner=0 --group=0 --numeric-owner -C "$(dirname "$1")" \
        -cf - "$(basename "$1")" | gzip -9n >"$output"
}

# The build installed at the prefix, with the notices that the program owes
# to the libraries that it took pieces of, in the folder named.
install_build() {  # prefix, notices folder, line ends (crlf, or none)
    cmake --install "$from" --strip --prefix "$1" >/dev/null
    map=$from/series.map
    "$here/notices.sh" write "$map" "$2" ${3:+"$3"}
}

name=$(basename "$output")
name=${name%.tar.gz} name=${name%.zip}
case $format in
source)
    cp -a "$from" "$work/$name"
    tar_gz "$work/$name"
    ;;
tarball)
    install_build "$work/$name" "$work/$name/share/doc/series/third-party"
    tar_gz "$work/$name"
    ;;
zip)
    install_build "$work/$name" "$work/$name/third-party" crlf
    settle "$work/$name"
    rm -f "$output"
    (cd "$work" && find "$name" -type f | sort | zip -X -9 -q -@ "$output")
    ;;
deb)
    architecture=$5 tree=$work/tree docs=$work/tree/usr/share/doc/series
    install_build "$tree/usr" "$docs/third-party"
    # Debian's own: the licence in the copyright file, the changelog its own
    rm "$docs/LICENSE" "$docs/NEWS"
    cp "$here/copyright" "$docs/copyright"
    gzip -9n <"$here/changelog" >"$docs/changelog.gz"
    mkdir -p "$work/debian" "$tree/DEBIAN"
    cp "$here/control" "$work/debian/control"
    cp "$here/changelog" "$work/debian/changelog"
    # The dependency on the C library comes from its symbols, as the
    # architecture's libc6 states them, and dpkg-gencontrol counts the size.
    export DEB_HOST_ARCH=$architecture
    (cd "$work" && dpkg-shlibdeps -O tree/usr/bin/series >substvars)
    (cd "$work" && dpkg-gencontrol -v"$version" -Tsubstvars -Ptree -ffiles)
    (cd "$tree" && find usr -type f | sort | xargs md5sum >DEBIAN/md5sums)
    settle "$tree"
    dpkg-deb --root-owner-group --build "$tree" "$output" >/dev/null
    ;;
*)
    echo "package.sh: no format '$format'" >&2
    exit 1
    ;;
esac
"$here/sbom.sh" "$output" "$version" ${map:+"$map"} >"$output.cdx.json"
