about="the README's release command, every artefact checked, each program run through the end-to-end checks, and the release made again bit for bit"
native=$(dpkg --print-architecture)
packages=("${build_packages[@]}" tmux dpkg-dev file zip unzip groff man-db lintian devscripts
          diffoscope-minimal qemu-user g++-mingw-w64-i686 binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine32:i386 wine64)
# each foreign architecture's cross compiler, and the C library that a .deb's
# dependency is stated from
while read -r architecture triple _ deb; do
    [[ $architecture == "$native" ]] && continue
    packages+=("g++-$triple")
    [[ $deb == yes ]] && packages+=("libc6:$architecture")
done < <(linux_architectures)

leg() {
    local commands version
    commands=$(readme_commands Release)
    version=$(project_version)
    echo "$ $commands"
    bash -c "$commands"
    e2e_runs=$(mktemp)
    check_release_files "$version"
    check_linux_packages "$version"
    check_zips "$version"
    run_e2e "$version"
    make_again "$commands" "$version"
}

# Fails with `what`, where the file listings `got` and `want` differ.
same_files() {  # what, got, want
    local got want
    got=$(LC_ALL=C sort <<<"$2") want=$(LC_ALL=C sort <<<"$3")
    [[ $got == "$want" ]] || die "$1 holds:"$'\n'"$got"$'\n'"want:"$'\n'"$want"
}

check_release_files() {  # version
    local version=$1 architecture deb want=() listing
    while read -r architecture _ _ deb; do
        want+=("series-$version-Linux-$architecture.tar.gz")
        [[ $deb == no ]] || want+=("series_${version}_$architecture.deb")
    done < <(linux_architectures)
    want+=("series-$version.tar.gz" "series-$version-win32.zip" "series-$version-win64.zip" SHA256SUMS)
    same_files build/dist "$(ls build/dist)" "$(printf '%s\n' "${want[@]}")"
    (cd build/dist && sha256sum --strict -c SHA256SUMS)
    same_files "SHA256SUMS" "$(cut -d' ' -f3 build/dist/SHA256SUMS)" \
        "$(printf '%s\n' "${want[@]}" | grep -vx SHA256SUMS)"

    # The source archive holds the commit's tracked files, and the commit's time.
    listing=$(tar tzf "build/dist/series-$version.tar.gz" | grep -v '/$')
    same_files "the source archive" "$listing" "$(git ls-files | sed "s|^|series-$version/|")"
    tar xzOf "build/dist/series-$version.tar.gz" "series-$version/cmake/commit-time" | grep -qx '[0-9]*' ||
        die "the source archive carries no time"
    echo "the release holds what it should, and SHA256SUMS checks it"
}

# The end-to-end checks of a program that ships, queued to run at the end,
# a few at a time.
queue_e2e() {  # what, program, emulator...
    echo "$*" >>"$e2e_runs"
}

run_e2e() {  # version
    local logs
    logs=$(mktemp -d)
    echo "-- the end-to-end checks of $(wc -l <"$e2e_runs") programs that ship"
    # each line: what, the program, its emulator; 77 is a skip, with its reason
    xargs -P 3 -L 1 bash -c 'bash tests/series_e2e.sh "$3" "$0" "${@:4}" >"$1/$2" 2>&1
        status=$?
        ((status == 0 || status == 77)) || { echo "FAILED: $2"; cat "$1/$2"; exit 1; }' \
        "$1" "$logs" <"$e2e_runs" || die "end-to-end checks failed"
    local log
    for log in "$logs"/*; do
        echo "${log##*/}: $(tail -n 1 "$log")"
    done
}

# The files that every Linux package carries.
linux_files=(bin/series share/doc/series/changelog.gz share/doc/series/copyright share/man/man1/series.1.gz)

# Each architecture's tarball and .deb, unpacked: what they hold, their
# programs' needs and hardening, and those programs queued for the
# end-to-end checks under the architecture's emulator. A tarball's program
# also answers in a root that holds nothing else; the native .deb is
# installed, used and removed, and passes lintian like every other.
check_linux_packages() {  # version
    local version=$1 architecture triple qemu deb unpacked emulator
    local report=("architecture  tarball's program (bytes, ELF type, kernel from)  .deb's Depends")
    while read -r architecture triple qemu deb; do
        unpacked=$(mktemp -d)
        emulator=()
        [[ $architecture == "$native" ]] || emulator=("qemu-$qemu")
        check_tarball "$version" "$architecture" "$triple" "$unpacked" "${emulator[@]}"
        [[ $deb == no ]] || check_deb "$version" "$architecture" "$unpacked" "${emulator[@]}"
    done < <(linux_architectures)
    printf '%s\n' "${report[@]}"
}

check_tarball() {  # version, architecture, triple, folder, emulator...
    local version=$1 architecture=$2 triple=$3 folder=$4/tarball root=$4/root nothing=$4/nothing
    local answer=$4/answer
    local tarball=build/dist/series-$version-Linux-$architecture.tar.gz program headers kernel
    shift 4
    echo "-- $tarball"
    same_files "$tarball" "$(tar tzf "$tarball" | grep -v '/$')" \
        "$(printf "series-$version-Linux-$architecture/%s\n" "${linux_files[@]}")"
    mkdir -p "$folder" "$root" "$nothing"
    tar xzf "$tarball" -C "$folder"
    program=$folder/series-$version-Linux-$architecture/bin/series
    bash tests/binary_headers.sh "$program" readelf elf
    headers=$(readelf -lW "$program")
    grep -q GNU_RELRO <<<"$headers" || die "$tarball: its program has no read-only relocations"
    # position-independent wherever the target's C library has the start for it
    if [[ $("$triple-gcc" -print-file-name=rcrt1.o) == /* ]]; then
        grep -q 'DYN (Position-Independent' <<<"$headers" || die "$tarball: its program is not static-pie"
        readelf -dW "$program" | grep -q 'FLAGS.*BIND_NOW' || die "$tarball: its program binds late"
    fi
    # alone in a root of its own: chroot, or the emulator's root an empty folder
    cp "$program" "$root/series"
    if (($#)); then
        echo '2 3' | "$@" -L "$nothing" "$root/series" >"$answer"
    else
        echo '2 3' | chroot "$root" /series >"$answer"
    fi
    cmp -s "$answer" <(printf 'Input a,n:\nanswer:246\n') || die "$tarball: alone, its series answers '$(<"$answer")'"
    echo "alone in an empty root, its series answers"
    if (($#)); then
        queue_e2e "$architecture-tarball" "$program" "$@" -L "$nothing"
    else
        queue_e2e "$architecture-tarball" "$program"
    fi
    kernel=$(readelf -n "$program" | sed -n 's/.*OS: Linux, ABI: //p')
    report+=("$(printf '%-13s %8d %-5s %-7s' "$architecture" "$(stat -c %s "$program")" \
        "$(sed -n 's/^Elf file type is \([A-Z]*\).*/\1/p' <<<"$headers")" "$kernel")")
}

check_deb() {  # version, architecture, folder, emulator...
    local version=$1 architecture=$2 unpacked=$3/deb deb tags depends
    deb=build/dist/series_${version}_$architecture.deb
    shift 3
    echo "-- $deb"
    [[ $(dpkg-deb -f "$deb" Architecture) == "$architecture" ]] || die "$deb: Architecture $(dpkg-deb -f "$deb" Architecture)"
    depends=$(dpkg-deb -f "$deb" Depends)
    grep -Ex 'libc6 \(>= [0-9.]+\)' <<<"$depends" || die "$deb: Depends $depends"
    same_files "$deb" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }')" \
        "$(printf './usr/%s\n' "${linux_files[@]}")"
    # lintian itself calls this tag a possible false positive: the program
    # makes no call that fortification could check.
    tags=$(lintian --pedantic -I -E "$deb" 2>/dev/null | grep -v 'hardening-no-fortify-functions' || true)
    [[ -z $tags ]] || die "lintian: $tags"
    dpkg-deb -x "$deb" "$unpacked"
    file "$unpacked/usr/bin/series" | sed "s|$unpacked||"
    hardening-check --nofortify --nocfprotection "$unpacked/usr/bin/series"
    bash tests/binary_headers.sh "$unpacked/usr/bin/series" readelf elf libc.so.6
    if (($#)); then
        # on the architecture's own libc6, as Debian 12 installs it
        queue_e2e "$architecture-deb" "$unpacked/usr/bin/series" "$@" -L /
    else
        queue_e2e "$architecture-deb" "$unpacked/usr/bin/series"
        check_installed "$deb"
    fi
    report[-1]+="  $depends"
}

check_installed() {  # deb
    dpkg -i "$1"
    hash -r
    [[ $(command -v series) == /usr/bin/series ]] || die "series is not on the PATH"
    echo '2 3' | series | cmp -s - <(printf 'Input a,n:\nanswer:246\n') || die "the installed series answers wrongly"
    man -w series
    dpkg -r series
    hash -r
    ! dpkg -L series >/dev/null 2>&1 || die "dpkg still lists series after its removal"
    ! command -v series || die "series is still on the PATH after its removal"
    echo "installed, used and removed"
}

toolchain_setting() {  # file, name: the value of its set(NAME VALUE)
    sed -n "s/^set($2 \(.*\))$/\1/p" "$1"
}

# Each zip: the program, its manual as README.txt and the copyright, both
# with Windows line ends; the program stripped, its headers and version
# resource as the tests check them; the program queued for the end-to-end
# checks under Wine, which skip where it cannot run.
check_zips() {  # version
    local version=$1 bits zip folder triple text
    declare -A toolchains=([32]=cmake/mingw-w64-i686.cmake [64]=cmake/mingw-w64-x86_64.cmake)
    declare -A formats=([32]=pei-i386 [64]=pei-x86-64)
    declare -A loaders=([32]=wine [64]=/usr/lib/wine/wine64)
    for bits in 32 64; do
        zip=build/dist/series-$version-win$bits.zip
        triple=$(toolchain_setting "${toolchains[$bits]}" cross_triple)
        echo "-- $zip"
        same_files "$zip" "$(unzip -Z1 "$zip")" "$(printf "series-$version-win$bits/%s\n" \
            README.txt copyright.txt series.exe)"
        folder=$(mktemp -d)
        unzip -q "$zip" -d "$folder"
        folder+=/series-$version-win$bits
        for text in README.txt copyright.txt; do
            [[ $(grep -c $'\r$' "$folder/$text") == $(wc -l <"$folder/$text") ]] || die "$text has lines without CRLF"
        done
        grep -q '^WINDOWS' "$folder/README.txt" || die "README.txt is not the manual"
        ! "$triple-objdump" -h "$folder/series.exe" | grep -q debug || die "series.exe is not stripped"
        bash tests/binary_headers.sh "$folder/series.exe" "$triple-objdump" "${formats[$bits]}" \
            KERNEL32.dll msvcrt.dll
        bash tests/version_resource.sh "$triple-windres" "$folder/series.exe" "$version"
        queue_e2e "win$bits-zip" "$folder/series.exe" tests/wine.sh "${loaders[$bits]}" \
            "$PWD/build/release-wine$bits"
    done
}

# The release again, on a second clone of the commit at a path of another
# length, later, with another umask, time zone and locale, and where there is
# one on another file system, which hands out a folder's files in another
# order (the packages' trees too, through TMPDIR); and the .deb and tarball
# again from the source archive alone, outside any git repository. Any file
# that differs fails the leg, with diffoscope's account of it.
make_again() {  # release command, version
    local version=$2 again from_source differing=() elsewhere=/tmp
    [[ -d /dev/shm && -w /dev/shm ]] && elsewhere=/dev/shm
    again=$(mktemp -d "$elsewhere/series-release-made-again-XXXXXX")
    git clone -q . "$again/series"
    (cd "$again/series" && umask 002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 TMPDIR=$again bash -c "$1" \
        >"$again/log" 2>&1) ||
        { tail -n 30 "$again/log"; die "the release on the second clone failed"; }
    paste build/dist/SHA256SUMS "$again/series/build/dist/SHA256SUMS"
    mapfile -t differing < <(diff build/dist/SHA256SUMS "$again/series/build/dist/SHA256SUMS" |
        sed -n 's/^< [0-9a-f]*  //p')
    for file in "${differing[@]}"; do
        diffoscope "build/dist/$file" "$again/series/build/dist/$file" || true
    done
    ((${#differing[@]} == 0)) || die "made again, these differ: ${differing[*]}"
    echo "made again on a second clone: every file the same"

    from_source=$(mktemp -d)
    tar xzf "build/dist/series-$version.tar.gz" -C "$from_source"
    (cd "$from_source/series-$version" && for preset in deb tarball; do
        env -u SOURCE_DATE_EPOCH cmake --workflow --preset "$preset" || exit
    done >"$from_source/log" 2>&1) || { tail -n 30 "$from_source/log"; die "the build from the source archive failed"; }
    for built in "deb/series_${version}_$native.deb" "tarball/series-$version-Linux-$native.tar.gz"; do
        file=${built#*/}
        cmp -s "build/dist/$file" "$from_source/series-$version/build/$built" || {
            diffoscope "build/dist/$file" "$from_source/series-$version/build/$built" || true
            die "$file differs when built from the source archive"
        }
    done
    echo "the .deb and the tarball from the source archive alone: the same"
    rm -rf "$again" "$from_source"
}
