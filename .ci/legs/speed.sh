# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the gates on instructions counted and peak memory against plain C, and on stripped sizes; times, for people" \
    @test @windows libbenchmark-dev groff valgrind time
cmake --preset native -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build --preset native
# times, which move with the machine's load: printed, never checked
build/native/bench/series_benchmark --benchmark_min_time=0.1
build/native/bench/process_ratios 100 16
cmake --build --preset native --target gates
passed "the gates on instructions and peak memory"
for build in native windows-x86 windows-x64; do  # each size against twice the plain C program's
    cmake --preset "$build" >/dev/null
    cmake --build --preset "$build" --target size_report
    passed "$build: the stripped size"
done
