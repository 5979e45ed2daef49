# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

about="the fuzz target's suite, then libFuzzer for a minute from the kept corpus"
packages=("${test_packages[@]}" clang libclang-rt-14-dev)
leg() {
    cmake --workflow --preset fuzz
    suite_report build/fuzz
    local findings=build/fuzz/findings
    mkdir -p "$findings/corpus"
    build/fuzz/tests/console_fuzz -max_total_time=60 -max_len=1048576 -timeout=30 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$findings/corpus" tests/fuzz/corpus
    passed "a minute of fuzzing"
}
