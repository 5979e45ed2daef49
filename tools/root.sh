# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The Debian roots that the checks and the release run in, made by mmdebstrap;
# sourced, from the project's top folder, by root. The project's root holds
# every package that a leg of .ci/run lists, from Debian 12's point release and
# its updates alone: the security suite carries only some architectures, and
# lags on some mirrors, where a Multi-Arch: same package needs one version.
root_sources=("deb http://deb.debian.org/debian bookworm main"
              "deb http://deb.debian.org/debian bookworm-updates main")
root_packages=(mmdebstrap mount)  # what makes a root
kept_root=/var/cache/series/root  # for the next run, where CI is not true
root_mark=/etc/series-root        # in a project root: what it was made from

inside_project_root() { [[ -f $root_mark ]]; }
project_packages() { (. .ci/lib.sh && for leg in $(all_legs); do leg_packages "$leg"; done) | tr ' ' '\n' | sort -u; }

# What a project root made now is made from: its packages, its sources, and
# the InRelease files of their lists as the archive serves them.
root_key() {
    local lists source uri suite
    lists=$(mktemp -d)
    for source in "${root_sources[@]}"; do
        read -r _ uri suite _ <<<"$source"
        /usr/lib/apt/apt-helper -o APT::Sandbox::User=root download-file "$uri/dists/$suite/InRelease" "$lists/$suite" >/dev/null
    done
    { project_packages; printf '%s\n' "${root_sources[@]}"; cat "$lists"/*; } | sha256sum | cut -d' ' -f1
    rm -rf "$lists"
}

# Makes the folder a Debian root of the suite by mmdebstrap, with the options
# and mirrors given; where apt cannot have a package, says which, for what
# architecture, and apt's reason.
make_root() {  # folder, suite, mmdebstrap option or mirror...
    local log package reason
    log=$(mktemp)
    mmdebstrap "$2" "$1" "${@:3}" >"$log" 2>&1 && rm "$log" && return
    read -r package reason < <(sed -nE 's/^ ([^ ]+) : (.*)/\1 \2/p; s/^E: Unable to locate package (.*)/\1 no package list has it/p
        s/^E: Package .(.*). has no installation candidate/\1 it has no installation candidate/p' "$log") || { grep '^E: ' "$log"; return 1; }
    [[ $package == *:* ]] || package+=:$(dpkg --print-architecture)
    echo "FAIL: apt cannot put ${package%:*} for ${package#*:} in the root: $reason"
    return 1
}

make_project_root() {  # folder
    local packages
    packages=$(project_packages)
    make_root "$1" bookworm --variant=apt --skip=cleanup/apt/lists --include="$(paste -sd, <<<"$packages")" \
        --architectures="$({ dpkg --print-architecture; sed -n 's/.*://p' <<<"$packages"; } | awk '!seen[$0]++' | paste -sd,)" \
        "${root_sources[@]}" "${root_sources[@]/#deb/deb-src}"
    # a checkout of anyone's, mounted in it, is root's to use there
    printf '[safe]\n\tdirectory = *\n' >"$1/etc/gitconfig"
    root_key >"$1$root_mark"
}

# /dev, /proc and a /tmp of its own; unmounted at once, even where a process
# lingers (a wineserver), and never taken away while anything is mounted.
mount_root() { mount --rbind --make-rslave /dev "$1/dev" && mount -t proc proc "$1/proc" && mount -t tmpfs tmpfs "$1/tmp"; }
unmount_root() { findmnt -rno TARGET | grep "^$1/" | sort -r | xargs -r umount --lazy; }
remove_root() {  # folder
    unmount_root "$1"
    ! findmnt -rno TARGET | grep -q "^$1/" || { echo "$1 still has file systems mounted: left as it is"; return 1; }
    rm -rf "$1"
}
in_root() {  # folder, command...: run as root there, in an environment of its own
    chroot "$1" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM="${TERM:-dumb}" CI="${CI-}" "${@:2}"
}

# Runs the command in the project's root, with the project at its own path
# there: the kept root where it was made from the same packages and lists,
# else one made anew; under CI, always one made anew, for this run alone.
in_project_root() {  # command...
    local root=$kept_root leave=unmount_root start=$SECONDS trust=/etc/ssl/certs/ca-certificates.crt
    [[ ${CI-} != true ]] || root=$(mktemp -d /var/tmp/series-root-XXXXXX) leave=remove_root
    trap "$leave '$root'" EXIT
    if [[ $(cat "$root$root_mark" 2>/dev/null) != "$(root_key)" ]]; then
        remove_root "$root" && mkdir -p "$root"
        make_project_root "$root"
        echo "the root $root, from ${root_sources[*]}: made in $((SECONDS - start)) s, $(du -sh "$root" | cut -f1)"
    else
        echo "the root $root, made before from the same packages and lists"
    fi
    mount_root "$root"
    mkdir -p "$root$PWD" && mount --bind "$PWD" "$root$PWD"
    [[ ! -f $trust ]] || mount --bind -o ro "$trust" "$root$trust"  # HTTPS as the machine trusts it
    in_root "$root" bash -c 'cd "$0" && exec "$@"' "$PWD" "$@"
}
