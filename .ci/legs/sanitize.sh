# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the suite under AddressSanitizer and UndefinedBehaviorSanitizer"
packages=("${test_packages[@]}")
leg() { cmake --workflow --preset sanitize && suite_report build/sanitize; }
