# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# What the legs of .ci/run share. Each leg is .ci/legs/LEG.sh, or for
# linux-ARCH .ci/legs/linux-cross.sh, which is read with `leg_name` set, sets
# `about` (a line on what it checks) and `packages` (the Debian packages it
# needs) and defines the function `leg`, its checks.
. tools/project.sh
. tools/root.sh

section() { printf '\n==== %s\n' "$*"; }
die() { echo "FAIL: $*" >&2 && exit 1; }

# Every leg, a line each, in the order that .ci/run runs them.
all_legs() {
    printf '%s\n' readme lint windows
    linux_architectures | awk -v native="$(dpkg --print-architecture)" '$1 != native { print "linux-" $1 }'
    printf '%s\n' static libcxx sanitize fuzz coverage options distribution release speed
}

read_leg() { leg_name=$1 && . ".ci/legs/$([[ $1 == linux-* ]] && echo linux-cross || echo "$1").sh"; }
leg_about() { (read_leg "$1" && echo "$about"); }
leg_packages() { (read_leg "$1" && echo "${packages[@]}"); }
# A leg runs in a shell of its own, which stops at the first command that
# fails, in a mount namespace of its own, so that whatever it mounts goes
# with it, and then the fresh roots that it made. Each check that passes says
# so (passed), and each that is skipped why (skipped); a leg that passed no
# check fails.
run_leg() {
    local status=0
    export fresh_roots tally
    fresh_roots=$(mktemp -d /var/tmp/series-fresh-roots-XXXXXX) tally=$(mktemp)
    unshare --mount bash -euo pipefail -c '. .ci/lib.sh; read_leg "$0"; leg' "$1" || status=$?
    rm -rf "$fresh_roots"
    awk -v leg="$1" '$1 == "passed:" { passed++ } $1 == "skipped:" { skips++; $1 = ""; why = why ";" $0 }
        END { printf "%s: %d checks passed, %d skipped%s\n", leg, passed, skips, why; exit !passed }' "$tally" &&
        ((status == 0))
}
passed() { echo "passed: $*" | tee -a "$tally"; }
# A skip counts only for a reason that matches the pattern named in advance.
skipped() {  # what, reason, the reasons allowed (an extended regex; none where empty)
    [[ -n ${3-} && $2 =~ $3 ]] || die "$1 was skipped: ${2:-for no reason given}"
    echo "skipped: $1: $2" | tee -a "$tally"
}

# The suite of a build folder as CTest last ran it, a check a test: each one
# passed, or skipped for a reason that matches the pattern given; a skip for
# any other reason, or fewer results than tests, fails.
suite_report() {  # build folder, the reasons a test may be skipped for (an extended regex)
    local log=$1/Testing/Temporary/LastTest.log results total result name reason
    results=$(awk '/^[0-9]+\/[0-9]+ Testing: / { name = $3; reason = "" }
        /^skipped: / && reason == "" { reason = substr($0, 10) }
        /^Test Passed\.$/ { print (reason == "" ? "passed" : "skipped"), name, reason }' "$log")
    total=$(sed -n 's|^[0-9]*/\([0-9]*\) Testing: .*|\1|p' "$log" | head -n 1)
    [[ $total -gt 0 && $(grep -c . <<<"$results") == "$total" ]] || die "$log: ${total:-no} tests; results: $results"
    while read -r result name reason; do
        if [[ $result == passed ]]; then passed "$name"; else skipped "$name" "$reason" "${2-}"; fi
    done <<<"$results"
}
# The reasons named in advance: a machine that runs no 32-bit program, and a
# pause that is the command interpreter's.
cannot_run_32_bit="Exec format error"
interpreters_pause="the pause on Windows is the command interpreter's"

# Makes `root` a fresh Debian root by make_root or make_project_root, with
# /dev, /proc and /tmp mounted.
make_fresh_root() {  # maker, its arguments...
    root=$(mktemp -d "$fresh_roots/root-XXXXXX")
    "$1" "$root" "${@:2}"
    mount_root "$root"
}

# The commands of a documented section's sh block, exactly as printed there.
documented_commands() {  # Markdown file, section heading
    local commands
    commands=$(awk -v heading="## $2" '$0 == heading { inside = 1; next }
        inside && /^## / { exit }
        inside && /^```sh$/ { code = 1; next }
        code && /^```$/ { exit }
        code { print }' "$1")
    [[ -n $commands ]] || die "$1 has no \"$2\" commands"
    echo "$commands"
}

# CycloneDX's schemas, for the release leg's check of the bills of materials.
sbom_schemas=build/cyclonedx-schemas

# The packages that every build needs, and the tests with them.
build_packages=(cmake ninja-build g++ git)
test_packages=("${build_packages[@]}" googletest libgtest-dev tmux)
