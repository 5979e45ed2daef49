# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the suite on 32-bit and 64-bit Windows, under Wine where this machine can run it"
packages=("${build_packages[@]}" "${windows_packages[@]}" googletest python3 groff wine wine32:i386 wine64)
leg() {
    # 32-bit Wine cannot run everywhere (each test says so, and why); 64-bit can
    cmake --workflow --preset windows-x86
    suite_report build/windows-x86 "$cannot_run_32_bit"
    cmake --workflow --preset windows-x64
    suite_report build/windows-x64
}
