#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# End-to-end checks of the built program: with piped input, with options, and
# with input or output that fails.
# Usage: series_e2e.sh SERIES VERSION [EMULATOR...]
set -uo pipefail
# shellcheck source=SCRIPTDIR/e2e_setup.sh
. "$(dirname "$0")/e2e_setup.sh"

whole() {  # variable, file: the file's text, final line ends included
    local text
    text=$(cat "$2"; echo .)
    printf -v "$1" '%s' "${text%.}"
}

check_piped() {  # input, answer, arguments...
    printf '%s' "$1" | "${run[@]}" "${@:3}" >"$work/out" 2>"$work/err"
    local status=$? expected="Input a,n:${eol}answer:$2${eol}" out what="piped '$1' ${*:3}"
    whole out "$work/out"
    if ((windows)); then
        [[ $out == "$expected"?* ]] || fail "$what: want '$expected' and then the pause, got '$out'"
    else
        [[ $out == "$expected" ]] || fail "$what: want '$expected', got '$out'"
        [[ -s $work/err ]] && fail "$what: standard error: $(<"$work/err")"
    fi
    ((status == 0)) || fail "$what: exit status $status"
}

check_piped $'2 3\n' 246
check_piped $'2\n10\n' -1825831496
check_piped '2,3' 0
check_piped '' 0
# a and n are typed, never passed: other arguments are ignored
check_piped '5 1' 5 2 3
check_piped '5 1' 5 --version --help
((windows)) || check_piped '5 1' 5 '/?'

# An option answers without a prompt, without reading standard input (which
# the next command then finds whole) and without a pause.
check_option() {  # option, first line, last line, lines between...
    local status rest
    {
        "${run[@]}" "$1" >"$work/out" 2>"$work/err"
        status=$?
        rest=$(cat)
    } <<<'2 3'
    local out
    whole out "$work/out"
    [[ $out == "$2$eol"* && $out == *"$eol$3$eol" || $out == "$2$eol" && $2 == "$3" ]] ||
        fail "$1: want '$2' ... '$3', got '$out'"
    local line
    for line in "${@:4}"; do
        [[ $out == *"$eol$line$eol"* ]] || fail "$1: want the line '$line', got '$out'"
    done
    [[ $rest == "2 3" ]] || fail "$1: standard input was read, '$rest' left"
    ((status == 0)) || fail "$1: exit status $status"
}
check_option --version "series $version" "There is NO WARRANTY, to the extent permitted by law."
help_lines=("Usage: series [OPTION]" "$help_end" "  $help_switches" "$after_the_answer")
check_option --help "${help_lines[@]}"
check_option -h "${help_lines[@]}"
((windows)) && check_option '/?' "${help_lines[@]}"

# A failed read or write ends the run with status 1 and one line on standard
# error, "series: ", what failed and why.
check_failed() {  # what, exit status, the line wanted
    local line
    line=$(grep -v '^wine' "$work/err" | tr -d '\r')  # the emulator's notes aside
    (($2 == 1)) || fail "$1: exit status $2"
    [[ $line == "$3" ]] || fail "$1: want '$3' on standard error, got '$(<"$work/err")'"
}
"${run[@]}" </ >/dev/null 2>"$work/err"
check_failed "input from a directory" $? "series: cannot read standard input: $directory_reason"
# A full disk is /dev/full, which not every system has.
check_full_disk() {  # what, arguments...
    if [[ ! -c /dev/full ]]; then
        skip_check "$1" "no /dev/full"
        return
    fi
    "${run[@]}" "${@:2}" </dev/null >/dev/full 2>"$work/err"
    check_failed "$1" $? "series: cannot write standard output: No space left on device"
}
check_full_disk "output to a full disk"
check_full_disk "help to a full disk" --help
# The reader of the pipe takes the prompt and goes before the answer comes:
# the input comes through a FIFO, written only once the pipe's last reader
# has closed it, however slowly the program starts. The program holds the
# FIFO open for writing too, so that opening it does not wait for a writer.
mkfifo "$work/input"
"${run[@]}" <>"$work/input" 2>"$work/err" |
    { head -n 1 >/dev/null; exec <&-; echo 2 3 >"$work/input"; }
check_failed "output to a pipe closed after the prompt" "${PIPESTATUS[0]}" \
    "series: cannot write standard output: $pipe_reason"

finish end-to-end
