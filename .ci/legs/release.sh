about="the README's release command, every artefact checked, and made again bit for bit"
packages=("${build_packages[@]}" dpkg-dev file zip unzip groff man-db lintian devscripts
          diffoscope-minimal qemu-user g++-aarch64-linux-gnu g++-arm-linux-gnueabihf
          g++-i686-linux-gnu libc6:arm64 libc6:armhf libc6:i386 g++-mingw-w64-i686
          binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine
          wine32:i386 wine64)

leg() {
    local commands version
    commands=$(readme_commands Release)
    version=$(project_version)
    echo "$ $commands"
    bash -c "$commands"
    check_release_files "$version"
    check_debs "$version"
    check_zips "$version"
    make_again "$commands" "$version"
}

# Fails with `what`, where the file listings `got` and `want` differ.
same_files() {  # what, got, want
    local got want
    got=$(LC_ALL=C sort <<<"$2") want=$(LC_ALL=C sort <<<"$3")
    [[ $got == "$want" ]] || die "$1 holds:"$'\n'"$got"$'\n'"want:"$'\n'"$want"
}

check_release_files() {  # version
    local version=$1 architecture want=() listing
    for architecture in amd64 arm64 armhf i386; do
        want+=("series_${version}_$architecture.deb" "series-$version-Linux-$architecture.tar.gz")
    done
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

    for architecture in amd64 arm64 armhf i386; do
        listing=$(tar tzf "build/dist/series-$version-Linux-$architecture.tar.gz" | grep -v '/$')
        same_files "the $architecture tarball" "$listing" "$(printf "series-$version-Linux-$architecture/%s\n" \
            bin/series share/doc/series/changelog.gz share/doc/series/copyright share/man/man1/series.1.gz)"
    done
    echo "the release holds what it should, and SHA256SUMS checks it"
}

# Each .deb: its architecture and dependency, lintian and hardening-check, and
# its program answering: the native one installed, used and removed, the
# others under qemu-user.
check_debs() {  # version
    local version=$1 architecture deb unpacked tags triple emulator
    for architecture in amd64 arm64 armhf i386; do
        deb=build/dist/series_${version}_$architecture.deb
        echo "-- $deb"
        [[ $(dpkg-deb -f "$deb" Architecture) == "$architecture" ]] || die "$deb: Architecture $(dpkg-deb -f "$deb" Architecture)"
        dpkg-deb -f "$deb" Depends | grep -Ex 'libc6 \(>= [0-9.]+\)' || die "$deb: Depends $(dpkg-deb -f "$deb" Depends)"
        same_files "$deb" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }')" "$(printf './usr/%s\n' \
            bin/series share/doc/series/changelog.gz share/doc/series/copyright share/man/man1/series.1.gz)"
        # lintian itself calls this tag a possible false positive: the program
        # makes no call that fortification could check.
        tags=$(lintian --pedantic -I -E "$deb" 2>/dev/null | grep -v 'hardening-no-fortify-functions' || true)
        [[ -z $tags ]] || die "lintian: $tags"
        unpacked=$(mktemp -d)
        dpkg-deb -x "$deb" "$unpacked"
        file "$unpacked/usr/bin/series" | sed "s|$unpacked||"
        hardening-check --nofortify --nocfprotection "$unpacked/usr/bin/series"
        if [[ $architecture == "$(dpkg --print-architecture)" ]]; then
            check_installed "$deb"
        else
            # the triple and the emulator that the architecture's toolchain file names
            triple=$(toolchain_setting "cmake/linux-$architecture.cmake" cross_triple)
            emulator=qemu-$(toolchain_setting "cmake/linux-$architecture.cmake" qemu_architecture)
            echo '2 3' | "$emulator" -L "/usr/$triple" "$unpacked/usr/bin/series" |
                cmp -s - <(printf 'Input a,n:\nanswer:246\n') || die "$deb: its series answers wrongly"
            echo "its series answers under $emulator"
        fi
        rm -rf "$unpacked"
    done
}

toolchain_setting() {  # file, name: the value of its set(NAME VALUE)
    sed -n "s/^set($2 \(.*\))$/\1/p" "$1"
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

# Each zip: the program, its manual as README.txt and the copyright, both
# with Windows line ends; the program stripped, its headers and version
# resource as the tests check them, and answering under Wine where it runs.
check_zips() {  # version
    local version=$1 bits zip folder unpacked text status answer
    declare -A triples=([32]=i686-w64-mingw32 [64]=x86_64-w64-mingw32)
    declare -A formats=([32]=pei-i386 [64]=pei-x86-64)
    declare -A loaders=([32]=wine [64]=/usr/lib/wine/wine64)
    for bits in 32 64; do
        zip=build/dist/series-$version-win$bits.zip
        echo "-- $zip"
        same_files "$zip" "$(unzip -Z1 "$zip")" "$(printf "series-$version-win$bits/%s\n" \
            README.txt copyright.txt series.exe)"
        unpacked=$(mktemp -d)
        unzip -q "$zip" -d "$unpacked"
        folder=$unpacked/series-$version-win$bits
        for text in README.txt copyright.txt; do
            [[ $(grep -c $'\r$' "$folder/$text") == $(wc -l <"$folder/$text") ]] || die "$text has lines without CRLF"
        done
        grep -q '^WINDOWS' "$folder/README.txt" || die "README.txt is not the manual"
        ! "${triples[$bits]}-objdump" -h "$folder/series.exe" | grep -q debug || die "series.exe is not stripped"
        bash tests/binary_headers.sh "${triples[$bits]}-objdump" "$folder/series.exe" "${formats[$bits]}" \
            KERNEL32.dll msvcrt.dll
        bash tests/version_resource.sh "${triples[$bits]}-windres" "$folder/series.exe" "$version"
        status=0
        answer=$(echo '2 3' | tests/wine.sh "${loaders[$bits]}" "$PWD/build/release-wine$bits" \
            "$folder/series.exe" 2>/dev/null) ||
            status=$?
        if ((status == 77)); then
            echo "series.exe not run: $answer"
        else
            [[ $status == 0 && $answer == $'Input a,n:\r\nanswer:246\r\n'* ]] ||
                die "series.exe ends with $status and answers '$answer'"
            echo "series.exe answers under Wine"
        fi
        rm -rf "$unpacked"
    done
}

# The release again, on a second clone of the commit at a path of another
# length, later, with another umask, time zone and locale, and where there is
# one on another file system, which hands out a folder's files in another
# order; and the .deb and tarball again from the source archive alone,
# outside any git repository. Any file that differs fails the leg, with
# diffoscope's account of it.
make_again() {  # release command, version
    local version=$2 again from_source differing=() elsewhere=/tmp
    [[ -d /dev/shm && -w /dev/shm ]] && elsewhere=/dev/shm
    again=$(mktemp -d "$elsewhere/series-release-made-again-XXXXXX")
    git clone -q . "$again/series"
    (cd "$again/series" && umask 002 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 bash -c "$1" >"$again/log" 2>&1) ||
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
    (cd "$from_source/series-$version" && env -u SOURCE_DATE_EPOCH cmake --workflow --preset package \
        >"$from_source/log" 2>&1) || { tail -n 30 "$from_source/log"; die "the build from the source archive failed"; }
    for file in "series_${version}_amd64.deb" "series-$version-Linux-amd64.tar.gz"; do
        cmp -s "build/dist/$file" "$from_source/series-$version/build/package/$file" || {
            diffoscope "build/dist/$file" "$from_source/series-$version/build/package/$file" || true
            die "$file differs when built from the source archive"
        }
    done
    echo "the .deb and the tarball from the source archive alone: the same"
    rm -rf "$again" "$from_source"
}
