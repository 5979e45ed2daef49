# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The leg linux-ARCH, for each architecture of cmake/linux-architectures.txt
# but this machine's; then the size of the static program that its tarball ships.
architecture=${leg_name#linux-}
triple=$(linux_architectures | awk -v name="$architecture" '$1 == name { print $2 }')
about="the whole suite on $architecture Linux, cross-built, under qemu-user"
packages=("${test_packages[@]}" qemu-user "g++-$triple")
leg() {
    local preset=$leg_name
    cmake --workflow --preset "$preset"
    suite_report "build/$preset"
    cmake --preset "$preset" -B "build/$preset-static" -DSERIES_STATIC=ON >/dev/null
    cmake --build "build/$preset-static" --target size_report
    passed "the static program's size"
}
