#!/usr/bin/env bash
# End-to-end checks of the built program: with piped input, then, where the
# pause is the program's own, at a terminal.
# Usage: series_e2e.sh SERIES [EMULATOR...]
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
# interpreter's pause writes its own text after the answer, and the emulator
# may write notes of its own to standard error. The terminal checks are for
# the program's own pause, which only POSIX builds have.
if [[ $series == *.exe ]]; then
    eol=$'\r\n' windows=1
else
    eol=$'\n' windows=0
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

# Output to a pipe whose reader is gone by the time the program writes.
(sleep 0.3; exec "${run[@]}" <<<'2 3' 2>/dev/null) | :
status=${PIPESTATUS[0]}
((status == 0)) || fail "output to a closed pipe: exit status $status"

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

check_terminal() {  # the key to press, in tmux's words
    # A server of its own: one that is still shutting down after the last
    # check cannot take a new session.
    tmux=(tmux -L "series-e2e-$$-$1" -f /dev/null)
    rm -f "$work/status"
    "${tmux[@]}" new-session -d -s e2e -x 80 -y 24 \
        "stty -g >$work/before; $(printf '%q' "$series"); s=\$?; stty -g >$work/after; echo \$s >$work/status; exec sleep 60"
    wait_for "the prompt" shows 'Input a,n:' && "${tmux[@]}" send-keys -t e2e '2 3' Enter
    local expected=$'Input a,n:\n2 3\nanswer:246\nPress any key to continue . . .'
    if wait_for "the key prompt" shows 'Press any key'; then
        [[ $(screen) == "$expected" ]] || fail "terminal: want '$expected', screen shows '$(screen)'"
        "${tmux[@]}" send-keys -t e2e "$1"
        if wait_for "the end of the run after key $1" test -s "$work/status"; then
            [[ $(<"$work/status") == 0 ]] || fail "key $1: exit status $(<"$work/status")"
            cmp -s "$work/before" "$work/after" || fail "key $1: terminal settings changed"
            [[ $(screen) == "$expected" ]] || fail "key $1: screen shows '$(screen)'"
        fi
    fi
    "${tmux[@]}" kill-server
}

if ((!windows)); then
    for key in q Enter C-c C-d Up; do
        check_terminal "$key"
    done
fi

((failures == 0)) && echo "all end-to-end checks passed"
exit $((failures > 0))
