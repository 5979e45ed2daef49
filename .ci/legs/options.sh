# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the program and the fuzz target built with every build option and every build type; the users' builds link with no GNU-only flag" \
    @test clang libclang-rt-14-dev
# the builds that a user makes link wherever CMake does, Apple's linker too
for preset in release native; do
    cmake --preset "$preset" >/dev/null
    lacks "build/$preset/build.ninja" -Map || die "the $preset build links with a GNU linker's map"
    passed "the $preset build links with no linker map"
done
for type in Debug Release RelWithDebInfo MinSizeRel; do
    for option in SANITIZE COVERAGE FUZZ STATIC HARDENING PACKAGES; do
        settings=(-DCMAKE_BUILD_TYPE="$type" "-DSERIES_$option=ON") targets=(series)
        [[ $option != FUZZ ]] || settings+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++) targets+=(console_fuzz)
        cmake -S . -B "build/options/$type-$option" -G Ninja "${settings[@]}" >/dev/null
        cmake --build "build/options/$type-$option" --target "${targets[@]}" >/dev/null
        passed "$type with SERIES_$option"
    done
done
