# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the suite on 32-bit and 64-bit Windows, under Wine where this machine can run it"
packages=("${build_packages[@]}" googletest groff g++-mingw-w64-i686 binutils-mingw-w64-i686 wine
          wine32:i386 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64)
leg() {
    # Where 32-bit Wine cannot run, its runner says so in each test's output;
    # 64-bit Wine runs everywhere.
    cmake --workflow --preset windows-x86
    suite_report build/windows-x86 "$cannot_run_32_bit"
    cmake --workflow --preset windows-x64
    suite_report build/windows-x64
}
