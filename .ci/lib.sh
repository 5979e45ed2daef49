# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# What the legs of .ci/run share. Each leg is .ci/legs/LEG.sh, or for
# linux-ARCH .ci/legs/linux-cross.sh, which is read with `leg_name` set, sets
# `about` (a line on what it checks) and `packages` (the Debian packages it
# needs) and defines the function `leg`, its checks.
. tools/project.sh

section() { printf '\n==== %s\n' "$*"; }
die() {
    echo "FAIL: $*"
    exit 1
}

# Every leg, a line each, in the order that .ci/run runs them.
all_legs() {
    printf '%s\n' readme lint windows
    linux_architectures | awk -v native="$(dpkg --print-architecture)" '$1 != native { print "linux-" $1 }'
    printf '%s\n' static libcxx sanitize fuzz coverage options distribution release speed
}

leg_file() { [[ $1 == linux-* ]] && echo .ci/legs/linux-cross.sh || echo ".ci/legs/$1.sh"; }
read_leg() { leg_name=$1 && . "$(leg_file "$1")"; }
leg_about() { (read_leg "$1" && echo "$about"); }
leg_packages() { (read_leg "$1" && echo "${packages[@]}"); }
# A leg runs in a shell of its own, which stops at the first command that fails.
run_leg() { bash -euo pipefail -c '. .ci/lib.sh; read_leg "$0"; leg' "$1"; }

# Installs the packages that are missing, adding the foreign architectures
# that their names ask for (wine32:i386).
install_packages() {
    local missing=() package
    for package in $(printf '%s\n' "$@" | sort -u); do
        dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
    done
    if ((${#missing[@]} == 0)); then
        echo "all present"
        return
    fi
    echo "installing: ${missing[*]}"
    local architecture
    for architecture in $(printf '%s\n' "${missing[@]}" | sed -n 's/.*:\(.*\)/\1/p' | sort -u); do
        dpkg --add-architecture "$architecture"
    done
    # a mirror caught in a sync may fail a list or two: what it has will do
    apt-get update -q || echo "some package lists could not be fetched: going on with those at hand"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q --allow-downgrades \
            $(aligned_versions "${missing[@]}")
}

# The packages asked for and, where a mirror's indexes of the foreign
# architectures lag behind the native one's, a version for each Multi-Arch:
# same package that apt could not install: the newest that every
# architecture has, on each side.
aligned_versions() {  # package...
    local request=("$@") native stuck item name common theirs architecture
    native=$(dpkg --print-architecture)
    versions() { apt-cache madison "$1" | awk -F' *[|] *' '{ print $2 }' | sort -u; }
    for _ in $(seq 10); do
        stuck=$(DEBIAN_FRONTEND=noninteractive apt-get install -s -q "${request[@]}" 2>&1 |
            grep -oE '[a-z0-9][a-z0-9.+-]*(:[a-z0-9]+)? (\([^)]*\) )?but it is not (going to be installed|installable)' |
            awk '{ print $1 }' | sort -u) || break
        [[ -n $stuck ]] || break
        for item in $stuck; do
            name=${item%%:*} common=$(versions "$name:$native")
            for architecture in $(dpkg --print-foreign-architectures); do
                theirs=$(versions "$name:$architecture")
                [[ -z $theirs ]] || common=$(comm -12 <(echo "$common") <(echo "$theirs"))
            done
            common=$(sort -V <<<"$common" | tail -n 1)
            [[ -n $common ]] || continue
            request+=("$name:$native=$common")
            [[ $item != *:* ]] || request+=("$item=$common")
        done
        mapfile -t request < <(printf '%s\n' "${request[@]}" | awk '!seen[$0]++')
    done
    echo "${request[@]}"
}

# Makes `root` a fresh Debian root of the release, by mmdebstrap with the
# options given, with /dev and /proc mounted in it; the shell that calls this
# takes it away as it exits.
make_fresh_root() {  # release, mmdebstrap option...
    root=$(mktemp -d /tmp/series-fresh-debian-XXXXXX)
    trap "umount -R '$root/proc' '$root/dev' 2>/dev/null; rm -rf '$root'" EXIT
    mmdebstrap --quiet "${@:2}" "$1" "$root"
    mount --rbind /dev "$root/dev"
    mount -t proc proc "$root/proc"
}

# The commands of a README section's sh block, exactly as printed there.
readme_commands() {
    local commands
    commands=$(awk -v heading="## $1" '$0 == heading { inside = 1; next }
        inside && /^## / { exit }
        inside && /^```sh$/ { code = 1; next }
        code && /^```$/ { exit }
        code { print }' README.md)
    [[ -n $commands ]] || die "README.md has no \"$1\" commands"
    echo "$commands"
}

# The packages that every build needs, and the tests with them.
build_packages=(cmake ninja-build g++ git)
test_packages=("${build_packages[@]}" googletest libgtest-dev tmux)
