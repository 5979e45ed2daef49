# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the suite under AddressSanitizer and UndefinedBehaviorSanitizer" @test
preset_suite sanitize
