# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The leg linux-ARCH, for each architecture of cmake/linux-architectures.txt
# but this machine's: its whole suite, every test run under qemu-user and
# passed, none skipped; then the stripped size of the program linked
# statically, as its tarball ships it.
architecture=${leg_name#linux-}
triple=$(linux_architectures | awk -v name="$architecture" '$1 == name { print $2 }')
about="the whole suite on $architecture Linux, cross-built, under qemu-user"
packages=("${test_packages[@]}" qemu-user "g++-$triple")
leg() {
    local preset=$leg_name total passed
    cmake --workflow --preset "$preset"
    passed=$(grep -c '^Test Passed\.$' "build/$preset/Testing/Temporary/LastTest.log")
    total=$(ctest --test-dir "build/$preset" -N | sed -n 's/^Total Tests: //p')  # a new LastTest.log
    ((passed == total)) || die "$preset: $passed of $total tests passed"
    echo "$preset: all $total tests run and passed"
    cmake --preset "$preset" -B "build/$preset-static" -DSERIES_STATIC=ON >/dev/null
    cmake --build "build/$preset-static" --target size_report
}
