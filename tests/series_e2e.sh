#!/usr/bin/env bash
# End-to-end checks of the built program: with piped input, with input or
# output that fails, then, where the pause is the program's own, at a terminal.
# Usage: series_e2e.sh SERIES [EMULATOR...]
# Exits 77, skipped, where the emulator says that it cannot run here.
set -uo pipefail

series=$1
shift
run=("$@" "$series")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# What differs on Windows: the runtime ends lines with "\r\n", the command
# interpreter's pause writes its own text after the answer, the emulator may
# write notes of its own to standard error, and msvcrt has no errno of its own
# for a directory as input or a closed pipe. The terminal checks are for the
# program's own pause, which only POSIX builds have.
if [[ $series == *.exe ]]; then
    eol=$'\r\n' windows=1 directory_reason="Invalid argument" pipe_reason="Invalid argument"
else
    eol=$'\n' windows=0 directory_reason="Is a directory" pipe_reason="Broken pipe"
fi

# The emulator's probe: 77 when it cannot run here.
if (($#)); then
    "${run[@]}" </dev/null >"$work/out" 2>&1
    (($? == 77)) && { cat "$work/out"; exit 77; }
fi

check_piped() {  # input, answer
    printf '%s' "$1" | "${run[@]}" >"$work/out" 2>"$work/err"
    local status=$? expected="Input a,n:${eol}answer:$2${eol}" out
    out=$(cat "$work/out"; echo .)
    out=${out%.}
    if ((windows)); then
        [[ $out == "$expected"?* ]] || fail "piped '$1': want '$expected' and then the pause, got '$out'"
    else
        [[ $out == "$expected" ]] || fail "piped '$1': want '$expected', got '$out'"
        [[ -s $work/err ]] && fail "piped '$1': standard error: $(cat "$work/err")"
    fi
    ((status == 0)) || fail "piped '$1': exit status $status"
}

check_piped $'2 3\n' 246
check_piped $'2\n10\n' -1825831496
check_piped '2,3' 0
check_piped '' 0

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
"${run[@]}" </dev/null >/dev/full 2>"$work/err"
check_failed "output to a full disk" $? "series: cannot write standard output: No space left on device"
# The reader of the pipe takes the prompt and goes before the answer comes.
(sleep 0.3; echo 2 3) | "${run[@]}" 2>"$work/err" | head -n 1 >/dev/null
check_failed "output to a pipe closed after the prompt" "${PIPESTATUS[1]}" \
    "series: cannot write standard output: $pipe_reason"

wait_for() {  # what, command...: retries the command for up to ten seconds
    local what=$1
    shift
    for _ in $(seq 100); do
        "$@" && return 0
        sleep 0.1
    done
    fail "$what did not happen"
    return 1
}
screen() { "${tmux[@]}" capture-pane -p -t e2e | sed -e '/^$/d'; }
shows() { screen | grep -qF "$1"; }

# The run under Debian's /bin/sh (dash), which, unlike bash, does not put the
# terminal's settings back after a program that a signal has ended.
cat >"$work/run.sh" <<EOF
stty -g >"$work/before"
sh -c 'echo \$\$ >"$work/pid"; exec "\$0"' $(printf '%q' "$series")
status=\$?
stty -g >"$work/after"
echo \$status >"$work/status"
exec sleep 60
EOF

check_terminal() {  # what ends the wait: a key in tmux's words, or a signal from outside (-TERM)
    # A server of its own: one that is still shutting down after the last
    # check cannot take a new session.
    tmux=(tmux -L "series-e2e-$$-$1" -f /dev/null)
    rm -f "$work/status"
    "${tmux[@]}" new-session -d -s e2e -x 80 -y 24 "/bin/sh $work/run.sh"
    wait_for "the prompt" shows 'Input a,n:' && "${tmux[@]}" send-keys -t e2e '2 3' Enter
    local expected=$'Input a,n:\n2 3\nanswer:246\nPress any key to continue . . .' status=0 signalled=
    if wait_for "the key prompt" shows 'Press any key'; then
        [[ $(screen) == "$expected" ]] || fail "terminal: want '$expected', screen shows '$(screen)'"
        if [[ $1 == -* ]]; then
            kill "$1" "$(<"$work/pid")"
            status=$((128 + $(kill -l "${1#-}"))) signalled=1
        else
            "${tmux[@]}" send-keys -t e2e "$1"
        fi
        if wait_for "the end of the run after $1" test -s "$work/status"; then
            [[ $(<"$work/status") == "$status" ]] || fail "$1: exit status $(<"$work/status")"
            cmp -s "$work/before" "$work/after" || fail "$1: terminal settings changed"
            # after a signal, the shell may say which one ended the run
            [[ $(screen) == "$expected"${signalled:+*} ]] || fail "$1: screen shows '$(screen)'"
        fi
    fi
    "${tmux[@]}" kill-server
}

if ((!windows)); then
    for key_or_signal in q Enter C-c C-d Up -TERM; do
        check_terminal "$key_or_signal"
    done
fi

((failures == 0)) && echo "all end-to-end checks passed"
exit $((failures > 0))
