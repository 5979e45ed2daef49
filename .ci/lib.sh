# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# What the legs of .ci/run share. Each leg is .ci/legs/LEG.sh (linux-ARCH: linux-cross.sh, read with `leg_name` set);
# it sets `about`, a line on what it checks, and `packages`, what it needs, and defines `leg`, its checks.
. tools/project.sh
. tools/root.sh
. tools/checks.sh

section() { printf '\n==== %s\n' "$*"; }
all_legs() {  # a line each, in the order that .ci/run runs them
    printf '%s\n' readme lint windows
    linux_architectures | awk -v native="$(dpkg --print-architecture)" '$1 != native { print "linux-" $1 }'
    printf '%s\n' static libcxx sanitize fuzz coverage options distribution release speed
}
read_leg() { leg_name=$1 && . ".ci/legs/$([[ $1 == linux-* ]] && echo linux-cross || echo "$1").sh"; }
leg_about() { (read_leg "$1" && echo "$about"); }
leg_packages() { (read_leg "$1" && echo "${packages[@]}"); }

# A leg stops at its first failure; its mounts go with its namespace, then its
# fresh roots. Each check that passes says so, each skip why; none passed fails.
run_leg() {
    local status=0
    export fresh_roots tally
    fresh_roots=$(mktemp -d /var/tmp/series-fresh-roots-XXXXXX) && tally=$(mktemp)
    unshare --mount bash -euo pipefail -c '. .ci/lib.sh; read_leg "$0"; leg' "$1" || status=$?
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
cannot_run_32_bit="^this machine cannot run wine: .*Exec format error$"  # the only reasons a skip may have, matched whole
interpreters_pause="^the pause on Windows is the command interpreter's$"

# The suite of a build folder from CTest's own record of its last run,
# junit.xml, a check a test: a skip gives its reason on its "skipped:" line.
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

# The commands of a documented section's sh block, exactly as printed there;
# shown on standard error as they would be typed.
documented_commands() {  # Markdown file, section heading
    local commands
    commands=$(awk -v heading="## $2" '$0 == heading { inside = 1; next } inside && /^## / { exit }
        inside && /^```sh$/ { code = 1; next } code && /^```$/ { exit } code { print }' "$1")
    [[ -n $commands ]] || die "$1 has no \"$2\" commands"
    echo "$ $commands" >&2 && echo "$commands"
}

sbom_schemas=build/cyclonedx-schemas  # CycloneDX's, for the release's SBOMs
build_packages=(cmake ninja-build g++ git)
test_packages=("${build_packages[@]}" googletest libgtest-dev tmux python3)  # python3 reads the suites' JUnit records
windows_packages=(g++-mingw-w64-i686 binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
