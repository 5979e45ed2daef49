# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The Debian roots that the checks and the release run in; sourced by root. The project's root holds every package
# that a leg of .ci/run lists, from Debian 12 and its updates (the security suite lags on some mirrors, where a
# Multi-Arch: same package needs one version), from SERIES_DEBIAN_MIRROR, else this machine's Debian mirror, else
# mmdebstrap's default, through apt's proxy.
. tools/checks.sh
# shellcheck disable=SC2034 # for .ci/run and the legs, which source this
root_packages=(mmdebstrap mount)  # what makes a root
kept_root=/var/cache/series/root  # for the next run, where CI is not true
root_mark=/etc/series-root        # in a project root: what it was made from
native=$(dpkg --print-architecture)  # this machine's architecture, in Debian's name

inside_project_root() { [[ -f $root_mark ]]; }
project_packages() { bash .ci/run --packages; }
debian_mirror() {
    [[ -n ${SERIES_DEBIAN_MIRROR-} ]] && echo "$SERIES_DEBIAN_MIRROR" && return
    # shellcheck disable=SC2016 # apt's fields
    apt-get indextargets --format '$(ORIGIN) $(LABEL) $(REPO_URI)' | awk '$1 $2 == "DebianDebian" { print $3; exit }'
}

# What a root is made from: the packages and the mirror.
root_key() { local key && key=$(project_packages && debian_mirror) && sha256sum <<<"$key" | cut -d' ' -f1; }

# Whether the archive serves the lists that the root was made with, which it keeps: false only where the archive
# could be read and its lists differ.
lists_current() {  # root
    local sources lists uri suite list status=0
    sources=$(grep '^deb ' "$1/etc/apt/sources.list") || return 1  # it names no archive: not as made
    lists=$(mktemp -d)
    while read -r _ uri suite _; do
        /usr/lib/apt/apt-helper -o APT::Sandbox::User=root download-file "${uri%/}/dists/$suite/InRelease" \
            "$lists/$suite" >/dev/null 2>&1 ||
            { echo "warning: the archive's lists of $suite cannot be read: the root is used as made" >&2 && continue; }
        for list in "$1"/var/lib/apt/lists/*_InRelease; do cmp -s "$list" "$lists/$suite" && continue 2; done
        status=1
    done <<<"$sources"
    rm -rf "$lists"
    return "$status"
}

# Makes the folder a Debian root of the suite and its updates; where apt cannot have a package, says which, for
# what architecture, and apt's reason.
make_root() {  # folder, suite, mmdebstrap option...
    local mirror scheme setting proxy log failure package reason options=() sources=()
    mirror=$(debian_mirror)
    [[ -z $mirror ]] || sources=("deb $mirror $2 main" "deb $mirror $2-updates main")
    for scheme in http https; do
        setting=$(apt-config shell proxy "Acquire::$scheme::Proxy") && proxy='' && eval "$setting"
        [[ -z $proxy ]] || options+=("--aptopt=Acquire::$scheme::Proxy \"$proxy\"")
    done
    log=$(mktemp)
    # shellcheck disable=SC2016 # a hook, which mmdebstrap's shell expands
    unshare --mount mmdebstrap "${options[@]}" --setup-hook='sed -i "/-security /d" "$1/etc/apt/sources.list"' \
        "${@:3}" "$2" "$1" "${sources[@]}" >"$log" 2>&1 && rm "$log" && return
    failure=$(sed -nE 's/^ ([^ ]+) : (.*)/\1 \2/p; s/^E: Unable to locate package (.*)/\1 no package list has it/p
        s/^E: Package .(.*). has no installation candidate/\1 it has no installation candidate/p
        s/^E: Version .(.*). for .(.*). was not found/\2 the archive has no version \1 of it/p' "$log")
    [[ -n $failure ]] || { grep '^E: ' "$log" >&2 || tail -n 5 "$log" >&2; return 1; }
    read -r package reason <<<"$failure"
    [[ $package == *:* ]] || package+=:$native
    echo "FAIL: apt cannot put ${package%:*} for ${package#*:} in the root: $reason" >&2 && return 1
}

make_project_root() {  # folder, the packages a line each (NAME[:ARCH][=VERSION]; those that the legs list, if none)
    local packages=${2-} architectures
    [[ -n $packages ]] || packages=$(project_packages)
    architectures=$({ echo "$native" && sed -n 's/^[^=:]*:\([^=]*\).*/\1/p' <<<"$packages"; } | awk '!seen[$0]++' | paste -sd,)
    # shellcheck disable=SC2016 # a hook, which mmdebstrap's shell expands
    make_root "$1" bookworm --variant=apt --skip=cleanup/apt/lists --include="${packages//$'\n'/,}" \
        --architectures="$architectures" --setup-hook='sed -i "p; s/^deb /deb-src /" "$1/etc/apt/sources.list"' || return
    # a checkout of anyone's, mounted in it, is root's to use there
    printf '[safe]\n\tdirectory = *\n' >"$1/etc/gitconfig" && root_key >"$1$root_mark"
}

# Runs the script again as the first process of a PID namespace of its own: a signal that ends this process ends
# that one, and so every process of the run and its mounts, then the folder of all that the run made (SERIES_RUN),
# which is locked while any of them lives, else removed by the next run. Within a run, nothing.
whole_run() {  # script, arguments...
    [[ -z ${SERIES_RUN-} ]] || return 0
    local runs held run first status=0
    exec {runs}>>/var/tmp/series-runs.lock && flock "$runs"  # one run at a time takes its folder
    for held in /var/tmp/series-run-*/held; do [[ ! -e $held ]] || flock -n "$held" rm -rf "${held%/held}" || true; done
    SERIES_RUN=$(mktemp -d /var/tmp/series-run-XXXXXX) && exec {held}>"$SERIES_RUN/held" && flock "$held"
    exec {runs}>&- && export SERIES_RUN
    unshare --pid --fork --kill-child env --default-signal bash "$@" &
    run=$!
    trap 'first=$(<"/proc/$run/task/$run/children") && kill -KILL "${first:-$run}"' TERM HUP INT
    wait "$run" || status=$?
    while kill -0 "$run" 2>/dev/null; do wait "$run" || status=$?; done  # after a signal, till all have gone
    rm -rf "$SERIES_RUN/layer" "$SERIES_RUN"  # the layer first: the root is slow to go
    exit "$status"
}

# /dev, /proc and a /tmp of its own, in the caller's mount namespace.
mount_root() { mount --rbind --make-rslave /dev "$1/dev" && mount -t proc proc "$1/proc" && mount -t tmpfs tmpfs "$1/tmp"; }
in_root() {  # folder, command...: run as root there, in an environment of its own
    chroot "$1" env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin TERM="${TERM:-dumb}" CI="${CI-}" \
        ${SOURCE_DATE_EPOCH:+SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH"} "${@:2}"
}

# Runs the command in the project's root, the project at its own path: the kept root where it was made from the
# same packages and lists, else one made anew once no run uses it, and put in its place in one step; under CI, one
# for this run alone. In a mount namespace of its own, on a throwaway layer (overlayfs) in the run's folder: the
# root stays as made.
in_project_root() {  # command...
    local root=$kept_root start=$SECONDS lock key sources
    [[ ${CI-} != true ]] || root=$SERIES_RUN/root
    made() { [[ -f $root$root_mark ]] && key=$(root_key) && [[ $(<"$root$root_mark") == "$key" ]] && lists_current "$root"; }
    mkdir -p "${root%/*}" && exec {lock}>>"$root.lock" && flock -s "$lock"
    if ! made && flock -x "$lock" && ! made; then
        rm -rf "$root.new" "$root.old" && mkdir "$root.new" && make_project_root "$root.new"
        [[ ! -e $root ]] || mv "$root" "$root.old"
        mv "$root.new" "$root" && rm -rf "$root.old"
    fi
    flock -s "$lock"
    sources=$(grep '^deb ' "$root/etc/apt/sources.list" | paste -sd,)
    echo "the root $root, from $sources ($((SECONDS - start)) s)"
    enter_root "$PWD" "$root" "$SERIES_RUN/layer" "$@" {lock}>&-
}

# Runs the command as root in the root, from the folder, which is mounted there at its own path; in a mount namespace
# of its own, whose mounts go with it.
enter_root() {  # folder, root, layer (none: in the root itself), command...
    # shellcheck disable=SC2016 # a program for the shell that it starts, whose $ are that shell's
    unshare --mount bash -euc '. tools/root.sh && cd "$0" && mount_and_run "$@"' "$@"
}
mount_and_run() {  # root, layer, command...: enter_root's, in its namespace
    local merged=$1 trust=/etc/ssl/certs/ca-certificates.crt
    [[ -z $2 ]] || { merged=$2/merged && mkdir "$2" "$2/upper" "$2/work" "$merged"; }
    [[ -z $2 ]] || mount -t overlay overlay -o "lowerdir=$1,upperdir=$2/upper,workdir=$2/work" "$merged"
    mount_root "$merged"
    mkdir -p "$merged$PWD" && mount --bind "$PWD" "$merged$PWD"
    [[ ! -f $trust ]] || mount --bind -o ro "$trust" "$merged$trust"  # HTTPS as the machine trusts it
    in_root "$merged" env -C "$PWD" "${@:3}"
}
