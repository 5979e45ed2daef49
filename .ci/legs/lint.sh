# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="clang-tidy over every C++ source the builds compile, cppcheck, clang-format, every file's licence, the manual page"
packages=("${test_packages[@]}" libbenchmark-dev clang clang-tidy clang-format cppcheck
          g++-mingw-w64-i686 binutils-mingw-w64-i686 groff mandoc reuse)
leg() {
    # clang-tidy runs in the builds, over the native program, tests and
    # benchmarks, and over the Windows program with its platform layer.
    cmake --workflow --preset lint --fresh
    cmake --workflow --preset lint-windows --fresh
    cppcheck --enable=all --std=c++20 --error-exitcode=1 --inline-suppr \
        --suppress=missingIncludeSystem --quiet \
        -I src/arithmetic -I src/console -I src/platform -I src/platform/posix -I src/program src
    git ls-files '*.cpp' '*.hpp' '*.c' | xargs clang-format --dry-run --Werror
    # every file's licence and copyright
    reuse lint
    local lint notes presets legs
    for lint in "groff -man -ww -z" "mandoc -T lint"; do
        notes=$($lint build/lint/doc/series.1 2>&1) || true
        [[ -z $notes ]] || die "$lint: $notes"
    done
    # the linux-ARCH presets, and the CI legs, are those of the list of architectures
    presets=$(cmake --list-presets=workflow | sed -n 's/^  "\(linux-[^"]*\)".*/\1/p' | sort)
    legs=$(all_legs | grep '^linux-' | sort)
    [[ $presets == "$legs" ]] || die "the linux- workflow presets are"$'\n'"$presets"$'\n'"the list's:"$'\n'"$legs"
    echo "clean"
}
