# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# What the legs of .ci/run share. Each leg is .ci/legs/LEG.sh, or for
# linux-ARCH .ci/legs/linux-cross.sh, which is read with `leg_name` set, sets
# `about` (a line on what it checks) and `packages` (the Debian packages it
# needs) and defines the function `leg`, its checks.
. tools/project.sh
. tools/root.sh

section() { printf '\n==== %s\n' "$*"; }
die() { echo "FAIL: $*" && exit 1; }

# Every leg, a line each, in the order that .ci/run runs them.
all_legs() {
    printf '%s\n' readme lint windows
    linux_architectures | awk -v native="$(dpkg --print-architecture)" '$1 != native { print "linux-" $1 }'
    printf '%s\n' static libcxx sanitize fuzz coverage options distribution release speed
}

read_leg() { leg_name=$1 && . ".ci/legs/$([[ $1 == linux-* ]] && echo linux-cross || echo "$1").sh"; }
leg_about() { (read_leg "$1" && echo "$about"); }
leg_packages() { (read_leg "$1" && echo "${packages[@]}"); }
# A leg runs in a shell of its own, which stops at the first command that fails.
run_leg() { bash -euo pipefail -c '. .ci/lib.sh; read_leg "$0"; leg' "$1"; }

# Makes `root` a fresh Debian root by make_root or make_project_root, with
# /dev, /proc and /tmp mounted; the shell that calls this removes it at exit.
make_fresh_root() {  # maker, its arguments...
    root=$(mktemp -d /var/tmp/series-fresh-debian-XXXXXX)
    trap "remove_root '$root'" EXIT
    "$1" "$root" "${@:2}"
    mount_root "$root"
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
