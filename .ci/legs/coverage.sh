# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the suite with gcov, and a line and branch report of src/"
packages=("${test_packages[@]}" gcovr)
leg() { cmake --workflow --preset coverage && suite_report build/coverage; }
