# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# What the legs of .ci/run share. Each leg is a script, .ci/legs/LEG.sh, else suites.sh, given its name: it reads
# this file, says what it is (`describe`), then checks, and stops at its first failure.
. tools/project.sh
. tools/root.sh  # and tools/checks.sh, through it

section() { printf '\n==== %s\n' "$*"; }
all_legs() {  # a line each, in the order that .ci/run runs them
    printf '%s\n' readme lint windows
    linux_architectures | awk -v native="$native" '$1 != native { print "linux-" $1 }'
    printf '%s\n' static libcxx sanitize fuzz coverage options distribution release speed
}
leg() {  # leg, the command that runs its script
    local script=.ci/legs/$1.sh && [[ -f $script ]] || script=.ci/legs/suites.sh
    "${@:2}" bash "$script" "$1"
}
# What the leg checks, a line, and the packages it needs, where @build, @test (@build's too), @windows and @root
# stand for those sets: where .ci/run asks for one of them (describing), it is said, and the leg ends there.
describe() {  # what, package...
    local package packages=()
    [[ ${describing-} != about ]] || { echo "$1" && exit; }
    [[ ${describing-} == packages ]] || return 0
    for package in "${@:2}"; do
        case $package in
        @test) packages+=(googletest libgtest-dev tmux python3) ;&  # python3 reads the suites' JUnit records
        @build) packages+=(cmake ninja-build g++ git) ;;
        @windows) packages+=(g++-mingw-w64-{i686,x86-64-posix} binutils-mingw-w64-{i686,x86-64}) ;;
        @root) packages+=("${root_packages[@]}") ;;
        *) packages+=("$package") ;;
        esac
    done
    echo "${packages[@]}" && exit
}
preset_suite() { cmake --workflow --preset "$1" && suite_report "build/$1" "${@:2}"; }  # preset, as suite_report

# A leg's mounts go with its namespace, then its fresh roots. Each check that passes says so, each skip why;
# none passed fails.
run_leg() {
    local status=0
    export fresh_roots tally
    fresh_roots=$(mktemp -d /var/tmp/series-fresh-roots-XXXXXX) && tally=$(mktemp)
    leg "$1" unshare --mount || status=$?
    rm -rf "$fresh_roots"
    awk -v leg="$1" '$1 == "passed:" { passed++ } $1 == "skipped:" { skips++; $1 = ""; why = why ";" $0 }
        END { printf "%s: %d checks passed, %d skipped%s\n", leg, passed, skips, why; exit !passed }' "$tally" &&
        ((status == 0))
}
passed() { echo "passed: $*" | tee -a "$tally"; }
skipped() {  # what, reason, the reasons allowed (an extended regex; none where empty)
    [[ -n ${3-} && $2 =~ $3 ]] || die "$1 was skipped: ${2:-for no reason given}"
    echo "skipped: $1: $2" | tee -a "$tally"
}
# shellcheck disable=SC2034 # for the legs, which read this file
cannot_run_32_bit="^this machine cannot run wine: .*Exec format error$"  # a reason a skip may have, matched whole
# shellcheck disable=SC2034 # for .ci/run and the release leg
sbom_schemas=build/cyclonedx-schemas  # CycloneDX's, for the release's SBOMs

# The suite of a build folder from CTest's own record of its last run, junit.xml, a check a test: a skip gives its
# reason on its "skipped:" line.
suite_report() {  # build folder, the reason a test may be skipped for
    local results result name reason
    results=$(python3 -c 'import sys, xml.etree.ElementTree as junit
for test in junit.parse(sys.argv[1]).iter("testcase"):
    reasons = [line[9:] for line in (test.findtext("system-out") or "").splitlines() if line.startswith("skipped: ")]
    print({"run": "passed", "notrun": "skipped"}[test.get("status")], test.get("name"), *reasons[:1])' "$1/junit.xml")
    [[ -n $results ]] || die "$1/junit.xml holds no test"
    while read -r result name reason; do
        if [[ $result == passed ]]; then passed "$name"; else skipped "$name" "$reason" "${2-}"; fi
    done <<<"$results"
}

make_fresh_root() {  # maker (make_root, make_project_root), its arguments...: sets `root`
    root=$(mktemp -d "$fresh_roots/root-XXXXXX")
    "$1" "$root" "${@:2}"
    mount_root "$root"
}

# The commands of a documented section's sh block, exactly as printed there; shown on standard error as typed.
documented_commands() {  # Markdown file, section heading
    local commands
    commands=$(awk -v heading="## $2" '$0 == heading { inside = 1; next } inside && /^## / { exit }
        inside && /^```sh$/ { code = 1; next } code && /^```$/ { exit } code { print }' "$1")
    [[ -n $commands ]] || die "$1 has no \"$2\" commands"
    echo "$ $commands" >&2 && echo "$commands"
}
