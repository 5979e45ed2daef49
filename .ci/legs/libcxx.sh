# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the suite with clang and libc++, and the import check thirty times with clang's binary tools" \
    @test libbenchmark-dev clang llvm libc++-14-dev libc++abi-14-dev
preset_suite libcxx
grep '^CMAKE_READELF:' build/libcxx/CMakeCache.txt
ctest --test-dir build/libcxx -R '^series_headers$' --repeat until-fail:30 --output-on-failure
passed "the import check thirty times"
