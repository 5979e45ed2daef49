# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="series_sum's benchmark, whole runs against plain C (time and memory), stripped sizes"
packages=("${test_packages[@]}" libbenchmark-dev groff g++-mingw-w64-i686 binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
leg() {
    cmake --preset native -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
    cmake --build --preset native
    build/native/bench/series_benchmark --benchmark_min_time=0.1
    build/native/bench/process_ratios 500
    # Each size is checked against twice the plain C program's.
    local build
    for build in native windows-x86 windows-x64; do
        cmake --preset "$build" >/dev/null
        cmake --build --preset "$build" --target size_report
    done
}
