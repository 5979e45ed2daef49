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
    printf '%s\n' static sanitize fuzz coverage options release speed
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
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
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
