# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The release leg's checks of the Linux packages. What they carry besides the
# notices in share/doc/series/third-party/: the tarball, and the .deb in /usr.
tarball_files=(bin/series share/doc/series/LICENSE share/doc/series/NEWS share/man/man1/series.1.gz)
deb_files=(bin/series share/doc/series/changelog.gz share/doc/series/copyright share/man/man1/series.1.gz)

# Each architecture's tarball and .deb: what they hold, their programs' needs and hardening, those programs queued for
# the end-to-end checks under the architecture's emulator; the native .deb installed, used and removed.
check_linux_packages() {  # version
    local version=$1 architecture triple qemu released unpacked emulator architectures
    local report=("architecture  tarball's program (bytes, ELF type, kernel from)  .deb's Depends")
    architectures=$(linux_architectures)
    while read -r architecture triple qemu released; do
        [[ $released == yes ]] || continue
        unpacked=$(mktemp -d)
        emulator=() && [[ $architecture == "$native" ]] || emulator=("qemu-$qemu")
        check_tarball "$version" "$architecture" "$triple" "$unpacked" "${emulator[@]}"
        check_deb "$version" "$architecture" "$unpacked" "${emulator[@]}"
    done <<<"$architectures"
    printf '%s\n' "${report[@]}"
}

check_tarball() {  # version, architecture, triple, folder, emulator...
    local version=$1 architecture=$2 triple=$3 folder=$4/tarball root=$4/root nothing=$4/nothing alone
    local tarball=build/dist/series-$version-Linux-$architecture.tar.gz program headers kernel multiarch start
    shift 4
    echo "-- $tarball"
    same_files "$tarball" "$(tar tzf "$tarball" | grep -v '/$' | grep -v /third-party/)" \
        "$(printf "series-$version-Linux-$architecture/%s\n" "${tarball_files[@]}")"
    mkdir -p "$folder" "$root" "$nothing"
    tar xzf "$tarball" -C "$folder"
    check_notices "$tarball" "tarball-$architecture" \
        "$folder/series-$version-Linux-$architecture/share/doc/series/third-party"
    program=$folder/series-$version-Linux-$architecture/bin/series
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
    kernel=$(readelf -n "$program" | sed -n 's/.*OS: Linux, ABI: //p')
    report+=("$(printf '%-13s %8d %-5s %-7s' "$architecture" "$(stat -c %s "$program")" \
        "$(sed -n 's/^Elf file type is \([A-Z]*\).*/\1/p' <<<"$headers")" "$kernel")")
}

check_deb() {  # version, architecture, folder, emulator...
    local version=$1 architecture=$2 unpacked=$3/deb deb=build/dist/series_${1}_$2.deb tags depends log=$3/lintian.log
    shift 3
    echo "-- $deb"
    [[ $(dpkg-deb -f "$deb" Architecture) == "$architecture" ]] || die "$deb: Architecture $(dpkg-deb -f "$deb" Architecture)"
    depends=$(dpkg-deb -f "$deb" Depends)
    grep -Ex 'libc6 \(>= [0-9.]+\)' <<<"$depends" || die "$deb: Depends $depends"
    same_files "$deb" "$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | grep -v /third-party/)" \
        "$(printf './usr/%s\n' "${deb_files[@]}")"
    # a tag that lintian calls a possible false positive (no call here can be
    # fortified); that it finds it shows that lintian read the package
    tags=$(lintian --pedantic -I -E --fail-on none "$deb" 2>"$log") || die "lintian failed: $(<"$log")"
    [[ $tags == *hardening-no-fortify-functions* && -z $(grep -v hardening-no-fortify-functions <<<"$tags") ]] || die "lintian: $tags"
    passed "$deb: lintian"
    dpkg-deb -x "$deb" "$unpacked"
    check_notices "$deb" "deb-$architecture" "$unpacked/usr/share/doc/series/third-party"
    file "$unpacked/usr/bin/series" | sed "s|$unpacked||"
    hardening-check --nofortify --nocfprotection "$unpacked/usr/bin/series"
    bash tests/binary_headers.sh "$unpacked/usr/bin/series" readelf elf libc.so.6
    # under an emulator, on the architecture's own libc6, as Debian 12 installs it
    queue_e2e "$architecture-deb" "$unpacked/usr/bin/series" ${1+"$@" -L /}
    (($#)) || check_installed "$deb"
    report[-1]+="  $depends"
}

answers_246() { cmp -s - <(printf 'Input a,n:\nanswer:246\n'); }  # given 2 3 on its input
check_installed() {  # deb
    dpkg -i "$1"
    [[ $(command -v series) == /usr/bin/series ]] || die "series is not on the PATH"
    echo '2 3' | series | answers_246 || die "the installed series answers wrongly"
    man -w series
    dpkg -r series
    ! dpkg -L series >/dev/null 2>&1 || die "dpkg still lists series after its removal"
    ! command -v series || die "series is still on the PATH after its removal"
    passed "$1: installed, used and removed"
}
