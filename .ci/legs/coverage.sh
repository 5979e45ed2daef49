# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the suite with gcov, and a line and branch report of src/" @test gcovr
preset_suite coverage
