# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the whole suite on the program linked statically, as the tarballs ship it, and its size beside plain C's" @test
preset_suite static
cmake --build build/static --target size_report
passed "the static program's size"
