# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

. .ci/lib.sh
describe "the fuzz target's suite, then libFuzzer for a minute from the kept corpus" @test clang libclang-rt-14-dev
preset_suite fuzz
findings=build/fuzz/findings
mkdir -p "$findings/corpus"
build/fuzz/tests/console_fuzz -max_total_time=60 -max_len=1048576 -timeout=30 \
    -artifact_prefix="$findings/" -print_final_stats=1 "$findings/corpus" tests/fuzz/corpus
passed "a minute of fuzzing"
