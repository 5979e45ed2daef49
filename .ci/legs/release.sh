# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the documented release command, every artefact checked, each program run through the end-to-end checks, and the release made again bit for bit"
native=$(dpkg --print-architecture)
packages=("${build_packages[@]}" "${root_packages[@]}" sudo tmux dpkg-dev file zip unzip groff man-db lintian devscripts
          jq python3-jsonschema diffoscope-minimal qemu-user g++-mingw-w64-i686 binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine32:i386 wine64)
# each released foreign architecture's cross compiler and C library, which
# the release's programs link and a .deb's dependency is stated from
packages+=($(linux_architectures | awk -v native="$native" '$1 != native && $4 == "yes" { print "g++-" $2, "libc6-dev:" $1 }'))

# each kind of package's checks
. .ci/release/linux.sh
. .ci/release/windows.sh

leg() {
    local commands version
    commands=$(documented_commands doc/release.md "The release command")
    version=$(project_version)
    echo "$ $commands"
    bash -c "$commands"
    e2e_runs=$(mktemp)
    check_release_files "$version"
    check_library_sources
    check_linux_packages "$version"
    check_zips "$version"
    run_e2e "$version"
    make_again "$version"
}

# Fails with `what`, where the file listings `got` and `want` differ.
same_files() {  # what, got, want
    local got want
    got=$(LC_ALL=C sort <<<"$2") want=$(LC_ALL=C sort <<<"$3")
    [[ $got == "$want" ]] || die "$1 holds:"$'\n'"$got"$'\n'"want:"$'\n'"$want"
}

# Fails where the two files differ, with diffoscope's account of how.
same_bytes() {  # file, file, how the second was made
    cmp -s "$1" "$2" || { diffoscope "$1" "$2" || true; die "${1##*/} differs, $3"; }
}

# What each program of the release took of others' libraries, from its link.
linked() {  # build folder
    package/notices.sh list "build/release-builds/$1/series.map"
}

check_release_files() {  # version
    local version=$1 architecture released want=() dsc
    while read -r architecture _ _ released; do
        [[ $released == yes ]] || continue
        want+=("series-$version-Linux-$architecture.tar.gz" "series_${version}_$architecture.deb")
    done < <(linux_architectures)
    want+=("series-$version.tar.gz" "series-$version-win32.zip" "series-$version-win64.zip")
    want+=("${want[@]/%/.cdx.json}" "series-$version.buildinfo" SHA256SUMS)
    # and the sources that the libraries' licences ask for: a .dsc and its files
    for dsc in build/dist/*.dsc; do
        want+=("${dsc##*/}" $(awk '/^Files:/ { files = 1; next } /^[^ ]/ { files = 0 } files { print $3 }' "$dsc"))
    done
    same_files build/dist "$(ls build/dist)" "$(printf '%s\n' "${want[@]}")"
    (cd build/dist && sha256sum --strict -c SHA256SUMS)
    same_files "SHA256SUMS" "$(cut -d' ' -f3 build/dist/SHA256SUMS)" \
        "$(printf '%s\n' "${want[@]}" | grep -vx SHA256SUMS)"

    # The source archive holds the commit's tracked files, and the commit's time.
    same_files "the source archive" "$(tar tzf "build/dist/series-$version.tar.gz" | grep -v '/$')" \
        "$(git ls-files | sed "s|^|series-$version/|")"
    tar xzOf "build/dist/series-$version.tar.gz" "series-$version/cmake/commit-time" | grep -qx '[0-9]*' ||
        die "the source archive carries no time"
    bash tests/sbom_check.sh "$sbom_schemas" "build/dist/series-$version.tar.gz"
    passed "the release holds what it should, and SHA256SUMS checks it"

    # The build record names this root's point release and every package of it, at its version.
    local record=build/dist/series-$version.buildinfo package recorded
    grep -qx "Build-Point-Release: $(cat /etc/debian_version)" "$record" || die "$record: not Debian $(cat /etc/debian_version)"
    sed -n '/^Installed-Build-Depends:/,$ s/^ \([^ ]*\) (= \(.*\)),*$/\1 \2/p' "$record" | while read -r package recorded; do
        [[ $(dpkg-query -W -f '${db:Status-Abbrev}${Version}' "$package") == "ii $recorded" ]] || die "$record: $package $recorded"
    done
    [[ $(grep -c '^ .* (= ' "$record") == $(dpkg -l | grep -c '^ii') ]] || die "$record does not name every package"
    passed "$record: Debian $(cat /etc/debian_version), and every package of this root at its version"
}

# Every program took the library whose licence asks for its source at the
# version that the release's source of it is, by the package that owns what
# the link took; and that source unpacks, its files' hashes checked.
check_library_sources() {
    local build name version terms package package_version count dsc unpacked checked=()
    for build in build/release-builds/*/; do
        build=${build%/} build=${build##*/}
        while read -r name version terms package package_version count _; do
            [[ $terms == source ]] || continue
            dsc=build/dist/${name}_${version#*:}.dsc
            [[ -f $dsc ]] || die "$build links $count pieces of $name $version ($package), whose source the release lacks"
            [[ $(sed -n 's/^Version: //p' "$dsc") == "$version" ]] || die "$dsc is not of version $version"
            passed "$build: $count pieces of $name $version ($package $package_version), its source ${dsc##*/}"
            [[ " ${checked[*]} " == *" $dsc "* ]] && continue
            unpacked=$(mktemp -d) && dpkg-source -x "$dsc" "$unpacked/source" >/dev/null || die "$dsc does not unpack"
            passed "${dsc##*/} unpacks, every file's hash checked"
            rm -rf "$unpacked" && checked+=("$dsc")
        done < <(linked "$build")
    done
    ((${#checked[@]})) || die "the release holds no library source"
}

# Each package's notices and SBOM, held to what its program holds.
check_notices() {  # package, build folder, the package's folder holding them
    bash tests/notices_check.sh "${2%%-*}" "build/release-builds/$2" "$3" "$1"
    bash tests/sbom_check.sh "$sbom_schemas" "$1" "build/release-builds/$2/series.map"
    passed "$1: its notices and SBOM"
}

# The end-to-end checks of a program that ships, queued to run at the end,
# a few at a time.
queue_e2e() { echo "$*" >>"$e2e_runs"; }  # what, program, emulator...

run_e2e() {  # version
    local logs log
    logs=$(mktemp -d)
    echo "-- the end-to-end checks of $(wc -l <"$e2e_runs") programs that ship, piped and at a terminal"
    # each line: what, the program, its emulator; 77 is a skip, with its reason
    xargs -P 3 -L 1 bash -c 'for checks in e2e terminal; do
            bash "tests/series_$checks.sh" "$3" "$0" "${@:4}" >"$1/$2 $checks" 2>&1
            status=$?
            ((status == 0 || status == 77)) || { echo "FAILED: $2, $checks"; cat "$1/$2 $checks"; exit 1; }
            echo "exit status $status" >>"$1/$2 $checks"
        done' "$1" "$logs" <"$e2e_runs" || die "end-to-end checks failed"
    for log in "$logs"/*; do
        if [[ $(tail -n 1 "$log") == "exit status 0" ]]; then
            passed "${log##*/}: $(tail -n 2 "$log" | head -n 1)"
        else
            skipped "${log##*/}" "$(sed -n 's/^skipped: //p' "$log" | head -n 1)" "$cannot_run_32_bit|$interpreters_pause"
        fi
    done
}

# The release again, in a root of its own made apart from this one, on a second
# clone of the commit at a path of another length, later, with another umask,
# time zone and locale, and where there is one on another file system, which
# hands out a folder's files in another order (the packages' trees too, through
# TMPDIR); and the .deb and tarball again from the source archive alone, outside
# any git repository. Any file that differs fails, with diffoscope's account.
make_again() {  # version
    local version=$1 again from_source file built elsewhere=/tmp start
    [[ -d /dev/shm && -w /dev/shm ]] && elsewhere=/dev/shm
    again=$(mktemp -d "$elsewhere/series-release-made-again-XXXXXX")
    git clone -q . "$again/series"
    start=$SECONDS
    make_fresh_root make_project_root
    echo "a root of its own for the second release, made in $((SECONDS - start)) s"
    mkdir -p "$root/again" && mount --bind "$again" "$root/again"
    in_root "$root" bash -c 'cd /again/series && umask 002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 TMPDIR=/again \
        tools/release.sh' >"$again/log" 2>&1 ||
        { tail -n 30 "$again/log"; die "the second release failed"; }
    paste build/dist/SHA256SUMS "$again/series/build/dist/SHA256SUMS"
    for file in $(ls build/dist); do same_bytes "build/dist/$file" "$again/series/build/dist/$file" "made again"; done
    passed "made again in a root of its own, on a second clone: every file the same"

    from_source=$(mktemp -d)
    tar xzf "build/dist/series-$version.tar.gz" -C "$from_source"
    (cd "$from_source/series-$version" && for preset in deb tarball; do
        env -u SOURCE_DATE_EPOCH cmake --workflow --preset "$preset" || exit
    done >"$from_source/log" 2>&1) || { tail -n 30 "$from_source/log"; die "the build from the source archive failed"; }
    for built in "deb/series_${version}_$native.deb" "tarball/series-$version-Linux-$native.tar.gz"; do
        same_bytes "build/dist/${built#*/}" "$from_source/series-$version/build/$built" "built from the source archive"
    done
    passed "the .deb and the tarball from the source archive alone: the same"
    rm -rf "$again" "$from_source"
}
