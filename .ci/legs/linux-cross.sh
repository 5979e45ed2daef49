# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# The leg linux-ARCH, for each architecture of cmake/linux-architectures.txt
# but this machine's; then the size of the static program that its tarball ships.
. .ci/lib.sh
preset=$1
architectures=$(linux_architectures)
triple=$(awk -v name="${preset#linux-}" '$1 == name { print $2 }' <<<"$architectures")
describe "the whole suite on ${preset#linux-} Linux, cross-built, under qemu-user" @test qemu-user "g++-$triple"
preset_suite "$preset"
cmake --preset "$preset" -B "build/$preset-static" -DSERIES_STATIC=ON >/dev/null
cmake --build "build/$preset-static" --target size_report
passed "the static program's size"
