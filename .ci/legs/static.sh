# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the whole suite on the program linked statically, as the tarballs ship it, and its size beside plain C's"
packages=("${test_packages[@]}")
leg() {
    cmake --workflow --preset static
    suite_report build/static
    cmake --build build/static --target size_report
    passed "the static program's size"
}
