# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The legs that run the suite of the preset of their name, and what its build adds:
# linux-ARCH for each architecture of cmake/linux-architectures.txt but this machine's.
. .ci/lib.sh
case $1 in
windows)
    describe "the suite on 32-bit and 64-bit Windows, under Wine where this machine can run it" \
        @build @windows googletest python3 groff wine wine32:i386 wine64
    # 32-bit Wine cannot run everywhere (each test says so, and why); 64-bit can
    preset_suite windows-x86 "$cannot_run_32_bit"
    preset_suite windows-x64 ;;
linux-*)
    triple=$(linux_architectures | awk -v name="${1#linux-}" '$1 == name { print $2 }')
    describe "the whole suite on ${1#linux-} Linux, cross-built, under qemu-user; then the size of its tarball's static program" \
        @test qemu-user "g++-$triple"
    preset_suite "$1"
    cmake --preset "$1" -B "build/$1-static" -DSERIES_STATIC=ON >/dev/null
    cmake --build "build/$1-static" --target size_report
    passed "the static program's size" ;;
static)
    describe "the whole suite on the program linked statically, as the tarballs ship it, and its size beside plain C's" @test
    preset_suite static
    cmake --build build/static --target size_report
    passed "the static program's size" ;;
libcxx)
    describe "the suite with clang and libc++, and the import check thirty times with clang's binary tools" \
        @test libbenchmark-dev clang llvm libc++-14-dev libc++abi-14-dev
    preset_suite libcxx
    grep '^CMAKE_READELF:' build/libcxx/CMakeCache.txt
    ctest --test-dir build/libcxx -R '^series_headers$' --repeat until-fail:30 --output-on-failure
    passed "the import check thirty times" ;;
sanitize)
    describe "the suite under AddressSanitizer and UndefinedBehaviorSanitizer" @test
    preset_suite sanitize ;;
coverage)
    describe "the suite with gcov, and a line and branch report of src/" @test gcovr
    preset_suite coverage ;;
fuzz)
    describe "the fuzz target's suite, then libFuzzer for a minute from the kept corpus" @test clang libclang-rt-14-dev
    preset_suite fuzz
    findings=build/fuzz/findings
    mkdir -p "$findings/corpus"
    build/fuzz/tests/console_fuzz -max_total_time=60 -max_len=1048576 -timeout=30 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$findings/corpus" tests/fuzz/corpus
    passed "a minute of fuzzing" ;;
*) die "no leg $1 runs a suite" ;;
esac
