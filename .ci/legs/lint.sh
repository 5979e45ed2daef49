# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "clang-tidy over every C++ source the builds compile, cppcheck, clang-format, shellcheck, every file's licence, the manual page, the Markdown files' links" \
    @test @windows libbenchmark-dev clang clang-tidy clang-format cppcheck shellcheck groff mandoc reuse
faults=$(mktemp -d)  # a known fault for each linter
mkdir "$faults/unlicensed" && echo 'no licence' >"$faults/unlicensed/file"
echo 'int  main( ){int *none = 0; int two[2] = {}; return two[2];}' >"$faults/fault.cpp"
printf '.TH FAULT 1\n.XX\n' >"$faults/fault.1" && printf '#!/bin/bash\n%s\n' "echo \$(false) \$1" >"$faults/fault.sh"
# clang-tidy runs in the builds: over the native program, tests and benchmarks, and the Windows program with its
# platform layer
rejects clang-tidy clang-tidy --config-file=.clang-tidy "$faults/fault.cpp" -- -std=c++20
cmake --workflow --preset lint --fresh
cmake --workflow --preset lint-windows --fresh
passed "clang-tidy over the native and the Windows builds"
rejects cppcheck cppcheck --error-exitcode=1 --quiet "$faults/fault.cpp"
cppcheck --enable=all --std=c++20 --error-exitcode=1 --inline-suppr --suppress=missingIncludeSystem --quiet \
    -I src/arithmetic -I src/console -I src/platform -I src/platform/posix -I src/program src
passed cppcheck
rejects clang-format clang-format --dry-run --Werror "$faults/fault.cpp"
git ls-files '*.cpp' '*.hpp' '*.c' | xargs clang-format --dry-run --Werror
passed clang-format
# every shell script: each *.sh, and each other file whose first line runs bash or sh
rejects shellcheck shellcheck -o check-extra-masked-returns "$faults/fault.sh"
scripts=$(git ls-files -z | xargs -0 awk 'FILENAME ~ /\.sh$/ || /^#!.*[\/ ](ba)?sh$/ { print FILENAME } { nextfile }')
xargs shellcheck -o check-extra-masked-returns -x <<<"$scripts"
passed "shellcheck over every shell script"
rejects reuse reuse --root "$faults/unlicensed" lint
reuse lint
passed "every file's licence and copyright"
for lint in "groff -man -ww -z" "mandoc -T lint"; do
    read -ra linter <<<"$lint"
    rejects "$lint" silent "${linter[@]}" "$faults/fault.1"
    silent "${linter[@]}" build/lint/doc/series.1 || die "$lint"
    passed "$lint"
done
# the linux-ARCH presets, and the CI legs, are those of the list of architectures
presets=$(cmake --list-presets=workflow | sed -n 's/^  "\(linux-[^"]*\)".*/\1/p' | sort)
legs=$(all_legs | grep '^linux-' | sort)
[[ -n $legs && $presets == "$legs" ]] || die "the linux- workflow presets are"$'\n'"$presets"$'\n'"the list's:"$'\n'"$legs"
passed "a linux- preset and leg for each architecture"
bash tests/doc_links.sh
passed "the Markdown files' links"
