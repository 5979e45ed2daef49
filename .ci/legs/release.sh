# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
# each released foreign architecture's cross compiler and C library
cross=$(linux_architectures |
    awk -v native="$native" '$1 != native && $4 == "yes" { print "g++-" $2 "\nlibc6-dev:" $1 }')
mapfile -t cross <<<"$cross"
describe "the documented release command, every artefact checked, each program run through the end-to-end checks, SHA256SUMS signed and checked as documented, the release made again from its downloads" \
    @build @root sudo tmux dpkg-dev zip unzip groff man-db lintian devscripts jq python3-jsonschema python3-debian \
    openssh-client diffoscope-minimal qemu-user @windows wine wine32:i386 wine64 "${cross[@]}"

same_files() {  # what, its listing, what it should hold (a listing, or a file an argument): fails with diff's account
    local held wanted
    held=$(LC_ALL=C sort <<<"$2")
    wanted=$(printf '%s\n' "${@:3}" | LC_ALL=C sort)
    diff <(echo "$held") <(echo "$wanted") || die "$1 does not hold what it should (diff: <, held; >, wanted)"
}

check_release_files() {  # version
    local version=$1 released want sources held wanted time
    released=$(linux_architectures | awk -v version="$version" '$4 == "yes" {
        print "series-" version "-Linux-" $1 ".tar.gz"; print "series_" version "_" $1 ".deb" }')
    mapfile -t want <<<"$released"
    want+=("series-$version.tar.gz" "series-$version-win32.zip" "series-$version-win64.zip")
    want+=("${want[@]/%/.cdx.json}" "series-$version.buildinfo" SHA256SUMS)
    # and the sources that the libraries' licences ask for: each .dsc and its files
    sources=$(awk 'FNR == 1 { name = FILENAME; sub(/.*\//, "", name); print name }
        /^Files:/ { files = 1; next } /^[^ ]/ { files = 0 } files { print $3 }' build/dist/*.dsc)
    mapfile -t -O "${#want[@]}" want <<<"$sources"
    held=$(ls build/dist)
    same_files build/dist "$held" "${want[@]}"  # SHA256SUMS is checked by the release made again

    # The source archive holds the commit's tracked files, and the commit's time.
    held=$(tar tzf "build/dist/series-$version.tar.gz" | grep -v '/$')
    wanted=$(git ls-files | sed "s|^|series-$version/|")
    same_files "the source archive" "$held" "$wanted"
    time=$(tar xzOf "build/dist/series-$version.tar.gz" "series-$version/cmake/commit-time")
    figure "the source archive's time" "$time"
    bash tests/sbom_check.sh "$sbom_schemas" "build/dist/series-$version.tar.gz"
    passed "the release holds what it should"

    bash tests/buildinfo_check.sh build/dist
    passed "series-$version.buildinfo, as Debian's parser reads it"
}

# Each library whose licence asks for its source went into the programs at the version of the source that the release
# holds, and that source unpacks, every file's hash checked.
check_library_sources() {
    local map name version terms package dsc libraries unpacked
    local -A sources=()
    for map in build/release-builds/*/series.map; do
        libraries=$(package/notices.sh list "$map")
        while read -r name version terms package _; do
            [[ $terms == source ]] || continue
            dsc=build/dist/${name}_${version#*:}.dsc
            grep -Fqx "Version: $version" "$dsc" ||
                die "${map%/*} links $name $version ($package), whose source the release lacks"
            sources[$dsc]=
        done <<<"$libraries"
    done
    ((${#sources[@]})) || die "the release holds no library source"
    for dsc in "${!sources[@]}"; do
        unpacked=$(mktemp -d)
        dpkg-source -x "$dsc" "$unpacked/source" >/dev/null || die "$dsc does not unpack"
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
    local logs log ending reason pause="^the pause on Windows is the command interpreter's$"
    local -A reasons=(["win32-zip e2e"]=$cannot_run_32_bit ["win64-zip terminal"]=$pause
        ["win32-zip terminal"]="$cannot_run_32_bit|$pause")  # no other may be skipped
    logs=$(mktemp -d)
    # shellcheck disable=SC2016 # the queued line's shell expands it
    xargs -P 3 -L 1 bash -c 'for checks in e2e terminal; do
            bash "tests/series_$checks.sh" "$3" "$0" "${@:4}" >"$1/$2 $checks" 2>&1
            echo "exit status $?" >>"$1/$2 $checks"
        done' "$1" "$logs" <"$e2e_runs"
    for log in "$logs"/*; do
        ending=$(tail -n 2 "$log")  # the checks' last line, then their exit status
        reason=$(sed -n 's/^skipped: //p' "$log")
        case ${ending#*$'\n'} in
        "exit status 0") passed "${log##*/}: ${ending%$'\n'*}" ;;
        "exit status 77") skipped "${log##*/}" "$reason" "${reasons[${log##*/}]-}" ;;
        *) cat "$log" && die "${log##*/}" ;;
        esac
    done
}

# The release again, by tools/rebuild.sh from its downloads alone, with another umask: in a root of its own made of the
# packages its .buildinfo names, in the run's folder, on a path of another length. Then a download changed by a byte,
# which it must name. And the .deb and tarball as doc/release.md says the unpacked source archive makes them: by its
# workflow presets, outside any git, at its own time (no SOURCE_DATE_EPOCH), neither of which tools/release.sh uses.
make_again() {  # version
    local version=$1 log changed differ file from_source built status=0
    log=$(mktemp) && changed=$(mktemp -d)
    (umask 002 && tools/rebuild.sh build/dist) >"$log" 2>&1 || status=$?
    sed -n '/^Each file of SHA256SUMS/,$p' "$log"
    differ=$(sed -n 's/^DIFFERS  //p' "$log")
    # diffoscope's account of each that differs (it exits 1 there)
    [[ -z $differ ]] || while read -r file; do diffoscope "build/dist/$file" "build/rebuilt/$file" || :; done <<<"$differ"
    ((status == 0)) || { tail -n 40 "$log"; die "tools/rebuild.sh"; }
    passed "made again by tools/rebuild.sh from the source archive and the .buildinfo: every file the same"
    cp build/dist/* "$changed" && changed+=/series-$version-Linux-$native.tar.gz
    echo >>"$changed"  # a byte more
    ! tools/rebuild.sh "${changed%/*}" >"$log" 2>&1 || die "tools/rebuild.sh takes a changed tarball for the release's"
    grep -Fx "${changed##*/}: FAILED" "$log" || { cat "$log"; die "tools/rebuild.sh does not name the changed tarball"; }
    passed "tools/rebuild.sh names a tarball changed by a byte, and fails"

    from_source=$(mktemp -d)
    tar xzf "build/dist/series-$version.tar.gz" -C "$from_source"
    (cd "$from_source/series-$version" && for preset in deb tarball; do
        env -u SOURCE_DATE_EPOCH cmake --workflow --preset "$preset" || exit
    done >"$from_source/log" 2>&1) || { tail -n 30 "$from_source/log"; die "the build from the source archive failed"; }
    for built in "deb/series_${version}_$native.deb" "tarball/series-$version-Linux-$native.tar.gz"; do
        file=$from_source/series-$version/build/$built
        cmp -s "build/dist/${built#*/}" "$file" ||
            { diffoscope "build/dist/${built#*/}" "$file" || :; die "${built#*/} differs, built from the source archive"; }
    done
    passed "the .deb and the tarball from the source archive alone: the same"
}

# Each architecture's tarball and .deb: what they hold besides the notices in share/doc/series/third-party/ (the
# tarball, and the .deb in /usr), their programs' needs and hardening, those programs queued for the end-to-end checks
# under the architecture's emulator; the native .deb installed, used and removed.
check_linux_packages() {  # version
    local version=$1 architecture triple qemu released unpacked emulator architectures
    architectures=$(linux_architectures)
    while read -r architecture triple qemu released; do
        [[ $released == yes ]] || continue
        unpacked=$(mktemp -d)
        emulator=() && [[ $architecture == "$native" ]] || emulator=("qemu-$qemu")
        check_tarball "$version" "$architecture" "$triple" "$unpacked" "${emulator[@]}"
        check_deb "$version" "$architecture" "$unpacked" "${emulator[@]}"
    done <<<"$architectures"
}

check_tarball() {  # version, architecture, triple, folder, emulator...
    local architecture=$2 triple=$3 folder=$4/tarball root=$4/root nothing=$4/nothing name=series-$1-Linux-$2
    local tarball=build/dist/$name.tar.gz program headers kernel multiarch start held alone
    shift 4
    echo "-- $tarball"
    held=$(tar tzf "$tarball" | grep -v '/$' | grep -v /third-party/)
    same_files "$tarball" "$held" "$name/"{bin/series,share/man/man1/series.1.gz,share/doc/series/{LICENSE,NEWS}}
    mkdir -p "$folder" "$root" "$nothing"
    tar xzf "$tarball" -C "$folder"
    check_notices "$tarball" "tarball-$architecture" "$folder/$name/share/doc/series/third-party"
    program=$folder/$name/bin/series
    bash tests/binary_headers.sh "$program" readelf elf
    headers=$(readelf -lW "$program")
    grep -q GNU_RELRO <<<"$headers" || die "$tarball: its program has no read-only relocations"
    # position-independent wherever the C library linked has the start for it: in Debian 12, all but these four
    multiarch=$(dpkg-architecture -a "$architecture" -qDEB_HOST_MULTIARCH 2>/dev/null)
    start=$("$triple-gcc" -B"/usr/lib/$multiarch/" -print-file-name=rcrt1.o)
    if [[ $start == /* ]]; then
        grep -q 'DYN (Position-Independent' <<<"$headers" || die "$tarball: its program is not static-pie"
        readelf -dW "$program" | grep -q 'FLAGS.*BIND_NOW' || die "$tarball: its program binds late"
        passed "$tarball: static-pie, its relocations bound at start"
    else
        skipped "$tarball: static-pie" "no rcrt1.o for $architecture" "^no rcrt1.o for (armel|armhf|mips64el|ppc64el)$"
    fi
    # alone in a root of its own: chroot, or the emulator's root an empty folder
    cp "$program" "$root/series"
    if (($#)); then alone=("$@" -L "$nothing" "$root/series"); else alone=(chroot "$root" /series); fi
    echo '2 3' | "${alone[@]}" | answers_246 || die "$tarball: alone, its series answers wrongly"
    passed "$tarball: alone in an empty root, its series answers"
    queue_e2e "$architecture-tarball" "$program" ${1+"$@" -L "$nothing"}
    # the oldest kernel it runs on, as the downloads' table gives it
    kernel=$(readelf -n "$program" | sed -n 's/.*OS: Linux, ABI: \([0-9]*\.[0-9]*\).*/\1/p')
    awk -F' *[|] *' -v architecture="$architecture" -v kernel="$kernel" 'kernel ~ /^[0-9]+\.[0-9]+$/ &&
        $2 == architecture && $4 "" == kernel { given = 1 } END { exit !given }' doc/install.md ||
        die "doc/install.md does not give $tarball's kernel, '$kernel'"
    passed "$tarball: runs on Linux $kernel, as doc/install.md says"
}

check_deb() {  # version, architecture, folder, emulator...
    local architecture=$2 unpacked=$3/deb deb=build/dist/series_${1}_$2.deb log=$3/lintian.log tags depends
    local program=$3/deb/usr/bin/series held field
    shift 3
    echo "-- $deb"
    field=$(dpkg-deb -f "$deb" Architecture)
    [[ $field == "$architecture" ]] || die "$deb: Architecture $field"
    depends=$(dpkg-deb -f "$deb" Depends)
    grep -Ex 'libc6 \(>= [0-9.]+\)' <<<"$depends" || die "$deb: Depends $depends"
    held=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | grep -v /third-party/)
    same_files "$deb" "$held" ./usr/{bin/series,share/man/man1/series.1.gz,share/doc/series/{changelog.gz,copyright}}
    # a tag that lintian calls a possible false positive (no call here can be fortified); that it finds it shows that
    # lintian read the package, and it finds no other
    tags=$(lintian --pedantic -I -E --fail-on none "$deb" 2>"$log") || die "lintian failed: $(<"$log")"
    [[ $tags == *hardening-no-fortify-functions* ]] || die "lintian: $tags"
    ! grep -v hardening-no-fortify-functions <<<"$tags" || die "lintian: $tags"
    passed "$deb: lintian"
    dpkg-deb -x "$deb" "$unpacked"
    check_notices "$deb" "deb-$architecture" "$unpacked/usr/share/doc/series/third-party"
    hardening-check --nofortify --nocfprotection "$program"
    bash tests/binary_headers.sh "$program" readelf elf libc.so.6
    # under an emulator, on the architecture's own libc6, as Debian 12 installs it
    queue_e2e "$architecture-deb" "$program" ${1+"$@" -L /}
    (($#)) || check_installed "$deb"
}

answers_246() { cmp -s - <(printf 'Input a,n:\nanswer:246\n'); }  # given 2 3 on its input
check_installed() {  # deb
    dpkg -i "$1"
    command -v series | grep -qx /usr/bin/series || die "series is not on the PATH"
    echo '2 3' | series | answers_246 || die "the installed series answers wrongly"
    man -w series
    dpkg -r series
    ! dpkg -L series >/dev/null 2>&1 || die "dpkg still lists series after its removal"
    ! command -v series || die "series is still on the PATH after its removal"
    passed "$1: installed, used and removed"
}

# Each Windows zip: the program, its manual as README.txt, the licence, the news and the notices, every text with
# Windows line ends; the program stripped, its headers and version resource checked, and queued for the end-to-end
# checks under Wine.
check_zips() {  # version
    local version=$1 windows bits cpu format loader zip folder triple held text sections
    for windows in "32 i686 pei-i386 wine" "64 x86_64 pei-x86-64 /usr/lib/wine/wine64"; do
        read -r bits cpu format loader <<<"$windows"
        zip=build/dist/series-$version-win$bits.zip
        triple=$(sed -n 's/^set(cross_triple \(.*\))$/\1/p' "cmake/mingw-w64-$cpu.cmake")
        echo "-- $zip"
        held=$(unzip -Z1 "$zip" | grep -v /third-party/)
        same_files "$zip" "$held" "series-$version-win$bits/"{README.txt,LICENSE.txt,NEWS.txt,series.exe}
        folder=$(mktemp -d)/series-$version-win$bits
        unzip -q "$zip" -d "${folder%/*}"
        check_notices "$zip" "zip-windows-x${bits/32/86}" "$folder/third-party"
        for text in "$folder"/*.txt "$folder"/third-party/*.txt; do
            lacks "$text" $'(^|[^\r])$' || die "${text#"$folder"/} has lines without CRLF"
        done
        grep -q '^WINDOWS' "$folder/README.txt" || die "README.txt is not the manual"
        sections=$("$triple-objdump" -h "$folder/series.exe")
        ! grep -q debug <<<"$sections" || die "series.exe is not stripped"
        bash tests/binary_headers.sh "$folder/series.exe" "$triple-objdump" "$format" KERNEL32.dll msvcrt.dll
        bash tests/version_resource.sh "$triple-windres" "$folder/series.exe" "$version"
        queue_e2e "win$bits-zip" "$folder/series.exe" tests/wine.sh "$loader" "$PWD/build/release-wine$bits"
    done
}

commands=$(documented_commands doc/release.md "The release command")
version=$(project_version)
bash -c "$commands"
e2e_runs=$(mktemp)
check_release_files "$version"
commands=$(documented_commands doc/install.md "Checking a download")
bash tests/signature_check.sh "$commands"
passed "SHA256SUMS signed, and its signature checked, as documented"
check_library_sources
check_linux_packages "$version"
check_zips "$version"
run_e2e "$version"
make_again "$version"
