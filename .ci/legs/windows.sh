# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the suite on 32-bit and 64-bit Windows, under Wine where this machine can run it"
packages=("${build_packages[@]}" googletest groff g++-mingw-w64-i686 binutils-mingw-w64-i686 wine
          wine32:i386 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64)
leg() {
    # Where Wine cannot run, its runner says so in each test's output.
    local preset skipped reports=()
    for preset in windows-x86 windows-x64; do
        cmake --workflow --preset "$preset"
        skipped=$(grep -m1 '^skipped: ' "build/$preset/Testing/Temporary/LastTest.log" || true)
        reports+=("$preset: built, headers and version checked; ${skipped:-every test run under Wine}")
    done
    printf '%s\n' "${reports[@]}"
}
