# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the suite on 32-bit and 64-bit Windows, under Wine where this machine can run it" \
    @build @windows googletest python3 groff wine wine32:i386 wine64
# 32-bit Wine cannot run everywhere (each test says so, and why); 64-bit can
preset_suite windows-x86 "$cannot_run_32_bit"
preset_suite windows-x64
