# What the legs of .ci/run share. Each leg is .ci/legs/LEG.sh, which sets
# `about` (a line on what it checks) and `packages` (the Debian packages it
# needs) and defines the function `leg`, its checks.

section() { printf '\n==== %s\n' "$*"; }
die() {
    echo "FAIL: $*"
    exit 1
}

leg_about() { (. ".ci/legs/$1.sh" && echo "$about"); }
leg_packages() { (. ".ci/legs/$1.sh" && echo "${packages[@]}"); }
# A leg runs in a shell of its own, which stops at the first command that fails.
run_leg() { bash -euo pipefail -c '. .ci/lib.sh; . ".ci/legs/$0.sh"; leg' "$1"; }

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

project_version() { sed -n 's/^project(series VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt; }

# The packages that every build needs, and the tests with them.
build_packages=(cmake ninja-build g++ git)
test_packages=("${build_packages[@]}" googletest libgtest-dev tmux)

# A Linux build for another architecture: its whole suite, every test run
# under qemu-user and passed, none skipped; then its stripped size.
cross_linux_leg() {
    local preset=linux-$1 total passed
    cmake --workflow --preset "$preset"
    passed=$(grep -c '^Test Passed\.$' "build/$preset/Testing/Temporary/LastTest.log")
    total=$(ctest --test-dir "build/$preset" -N | sed -n 's/^Total Tests: //p')  # a new LastTest.log
    ((passed == total)) || die "$preset: $passed of $total tests passed"
    echo "$preset: all $total tests run and passed"
    cmake --build "build/$preset" --target size_report
}
