# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the README's \"Build and run\" (with 2 3 typed in) and \"Test\" blocks, as printed, on fresh Debian 12 and 13" \
    @root git python3
# A newcomer types the blocks in a fresh Debian root of the release with git and sudo alone, in a clone of the commit;
# in a subshell, which takes the root away.
try_readme() {  # release
    local root commands output
    make_fresh_root make_root "$1" --variant=apt --skip=cleanup/apt/lists --include=ca-certificates,sudo,git
    git clone -q . "$root/series"
    newcomer() { in_root "$root" env TERM=xterm bash -c "cd /series && $1"; }

    commands=$(documented_commands README.md "Build and run")
    output=$(newcomer "$commands" <<<'2 3')
    echo "$output" | tail -n 5
    [[ $'\n'$output == *$'\nInput a,n:\nanswer:246' ]] ||
        die "$1: the output does not end with the two lines of the answer"
    passed "$1: Build and run"

    commands=$(documented_commands README.md "Test")
    newcomer "$commands" </dev/null
    suite_report "$root/series/build/native"
}
for release in bookworm trixie; do section "a fresh $release" && (try_readme "$release"); done
