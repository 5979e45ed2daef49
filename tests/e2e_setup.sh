# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT
# shellcheck shell=bash

# What the end-to-end scripts share, sourced by each with the arguments
# SERIES VERSION [EMULATOR...]: the run, a folder for its files, failures
# and skipped checks counted, and what differs on Windows. Exits 77,
# skipped, where the emulator says that it cannot run here.
# shellcheck disable=SC2034 # version: for the scripts that source this file
series=$1 version=$2
shift 2
run=("$@" "$series")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0 skips=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
skip_check() {  # what, why: a check that cannot be made on this system
    echo "skipped: $1: $2"
    skips=$((skips + 1))
}

# What differs on Windows: the runtime ends lines with "\r\n", the command
# interpreter's pause writes its own text after the answer, the emulator may
# write notes of its own to standard error, msvcrt has no errno of its own for
# a directory as input or a closed pipe, "/?" asks for help, and the help
# names it, says when the pause comes, and points at README.txt.
# shellcheck disable=SC2034 # for the scripts that source this file
if [[ $series == *.exe ]]; then
    eol=$'\r\n' windows=1 directory_reason="Invalid argument" pipe_reason="Invalid argument"
    help_switches="-h, --help, /?" help_end="The whole description: README.txt, beside series.exe."
    after_the_answer="Once the answer is written, the command interpreter's pause waits for a${eol}"
    after_the_answer+="key, or returns at once where standard input is at its end."
else
    eol=$'\n' windows=0 directory_reason="Is a directory" pipe_reason="Broken pipe"
    help_switches="-h, --help" help_end="The whole description: the manual page, series(1)."
    after_the_answer="When standard input and output are a terminal, it then waits for a key."
fi

# The emulator's probe: 77 when it cannot run here.
if (($#)); then
    "${run[@]}" </dev/null >"$work/out" 2>&1
    (($? == 77)) && { cat "$work/out"; exit 77; }
fi

finish() {  # what: each script's last command, whose status is the script's
    ((failures == 0)) && echo "all $1 checks passed$( ((skips == 0)) || echo ", but $skips skipped")"
    return $((failures > 0))
}
