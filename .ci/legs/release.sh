# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the documented release command, every artefact checked, each program run through the end-to-end checks, and the release made again bit for bit"
native=$(dpkg --print-architecture)
packages=("${build_packages[@]}" "${root_packages[@]}" sudo tmux dpkg-dev file zip unzip groff man-db lintian devscripts
          jq python3-jsonschema python3-debian openssh-client diffoscope-minimal qemu-user "${windows_packages[@]}" wine wine32:i386 wine64)
# each released foreign architecture's cross compiler and C library
packages+=($(linux_architectures | awk -v native="$native" '$1 != native && $4 == "yes" { print "g++-" $2, "libc6-dev:" $1 }'))
. .ci/release/linux.sh
. .ci/release/windows.sh

leg() {
    local commands version
    commands=$(documented_commands doc/release.md "The release command")
    version=$(project_version)
    bash -c "$commands"
    e2e_runs=$(mktemp)
    check_release_files "$version"
    bash tests/signature_check.sh "$(documented_commands doc/install.md "Checking a download")"
    passed "SHA256SUMS signed, and its signature checked, as documented"
    check_library_sources
    check_linux_packages "$version"
    check_zips "$version"
    run_e2e "$version"
    make_again "$version"
}

same_files() {  # what, the file listings it holds and should: fails where they differ, with diff's account
    diff <(LC_ALL=C sort <<<"$2") <(LC_ALL=C sort <<<"$3") || die "$1 does not hold what it should (diff: <, held; >, wanted)"
}
same_bytes() {  # file, file, how the second was made: fails where they differ, with diffoscope's account
    cmp -s "$1" "$2" || { diffoscope "$1" "$2" || true; die "${1##*/} differs, $3"; }
}

check_release_files() {  # version
    local version=$1 released want dsc time
    released=$(linux_architectures | awk -v version="$version" '$4 == "yes" {
        print "series-" version "-Linux-" $1 ".tar.gz"; print "series_" version "_" $1 ".deb" }')
    mapfile -t want <<<"$released"
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
    time=$(tar xzOf "build/dist/series-$version.tar.gz" "series-$version/cmake/commit-time")
    figure "the source archive's time" "$time"
    bash tests/sbom_check.sh "$sbom_schemas" "build/dist/series-$version.tar.gz"
    passed "the release holds what it should, and SHA256SUMS checks it"

    bash tests/buildinfo_check.sh build/dist
    passed "series-$version.buildinfo, as Debian's parser reads it"
}

# Each library whose licence asks for its source went into the programs at the version of the source that the release
# holds, and that source unpacks, every file's hash checked.
check_library_sources() {
    local map name version terms package dsc sources=() libraries
    for map in build/release-builds/*/series.map; do
        libraries=$(package/notices.sh list "$map")
        while read -r name version terms package _; do
            dsc=build/dist/${name}_${version#*:}.dsc
            [[ $terms != source || $(sed -n 's/^Version: //p' "$dsc" 2>/dev/null) == "$version" ]] ||
                die "${map%/*} links $name $version ($package), whose source the release lacks"
            [[ $terms != source ]] || sources+=("$dsc")
        done <<<"$libraries"
    done
    ((${#sources[@]})) || die "the release holds no library source"
    for dsc in $(printf '%s\n' "${sources[@]}" | sort -u); do
        dpkg-source -x "$dsc" "$(mktemp -d)/source" >/dev/null || die "$dsc does not unpack"
        passed "${dsc##*/}, the source that the programs' links call for, unpacks"
    done
}

# Each package's notices and SBOM, held to what its program holds.
check_notices() {  # package, build folder, the package's folder holding them
    bash tests/notices_check.sh "${2%%-*}" "build/release-builds/$2" "$3" "$1"
    bash tests/sbom_check.sh "$sbom_schemas" "$1" "build/release-builds/$2/series.map"
    passed "$1: its notices and SBOM"
}

# The end-to-end checks, piped and at a terminal, of each program that ships, queued as a line (what, program,
# emulator...) and run at the end, three at a time, a log each that ends with the exit status.
queue_e2e() { echo "$*" >>"$e2e_runs"; }
run_e2e() {  # version
    local logs log
    local -A reasons=(["win32-zip e2e"]=$cannot_run_32_bit ["win64-zip terminal"]=$interpreters_pause
        ["win32-zip terminal"]="$cannot_run_32_bit|$interpreters_pause")  # no other may be skipped
    logs=$(mktemp -d)
    xargs -P 3 -L 1 bash -c 'for checks in e2e terminal; do
            bash "tests/series_$checks.sh" "$3" "$0" "${@:4}" >"$1/$2 $checks" 2>&1
            echo "exit status $?" >>"$1/$2 $checks"
        done' "$1" "$logs" <"$e2e_runs"
    for log in "$logs"/*; do
        case $(tail -n 1 "$log") in
        "exit status 0") passed "${log##*/}: $(tail -n 2 "$log" | head -n 1)" ;;
        "exit status 77") skipped "${log##*/}" "$(sed -n 's/^skipped: //p' "$log")" "${reasons[${log##*/}]-}" ;;
        *) cat "$log" && die "${log##*/}" ;;
        esac
    done
}

# The release again, by tools/rebuild.sh from its downloads alone, with another umask: in a root of its own made of the
# packages its .buildinfo names, in the run's folder, on a path of another length. Then a download changed by a byte,
# which it must name. And the .deb and tarball from the source archive by its presets, outside any git.
make_again() {  # version
    local version=$1 log changed from_source built file status=0
    log=$(mktemp) && changed=$(mktemp -d)
    (umask 002 && tools/rebuild.sh build/dist) >"$log" 2>&1 || status=$?
    sed -n '/^Each file of SHA256SUMS/,$p' "$log"
    for file in $(sed -n 's/^DIFFERS  //p' "$log"); do same_bytes "build/dist/$file" "build/rebuilt/$file" "made again"; done
    ((status == 0)) || { tail -n 40 "$log"; die "tools/rebuild.sh"; }
    passed "made again by tools/rebuild.sh from the source archive and the .buildinfo: every file the same"
    cp build/dist/* "$changed" && changed+=/series-$version-Linux-$native.tar.gz
    python3 -c 'import sys; data = bytearray(open(sys.argv[1], "rb").read()); data[100] ^= 1
open(sys.argv[1], "wb").write(data)' "$changed"
    ! tools/rebuild.sh "${changed%/*}" >"$log" 2>&1 || die "tools/rebuild.sh takes a changed tarball for the release's"
    grep -Fx "${changed##*/}: FAILED" "$log" || { cat "$log"; die "tools/rebuild.sh does not name the changed tarball"; }
    passed "tools/rebuild.sh names a tarball changed by a byte, and fails"

    from_source=$(mktemp -d)
    tar xzf "build/dist/series-$version.tar.gz" -C "$from_source"
    (cd "$from_source/series-$version" && for preset in deb tarball; do
        env -u SOURCE_DATE_EPOCH cmake --workflow --preset "$preset" || exit
    done >"$from_source/log" 2>&1) || { tail -n 30 "$from_source/log"; die "the build from the source archive failed"; }
    for built in "deb/series_${version}_$native.deb" "tarball/series-$version-Linux-$native.tar.gz"; do
        same_bytes "build/dist/${built#*/}" "$from_source/series-$version/build/$built" "built from the source archive"
    done
    passed "the .deb and the tarball from the source archive alone: the same"
}
