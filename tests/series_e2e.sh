#!/usr/bin/env bash
# End-to-end checks of the built program: with piped input, with options, with
# input or output that fails, then, where the pause is the program's own, at a
# terminal.
# Usage: series_e2e.sh SERIES VERSION [EMULATOR...]
# Exits 77, skipped, where the emulator says that it cannot run here.
set -uo pipefail

series=$1 version=$2
shift 2
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
# write notes of its own to standard error, msvcrt has no errno of its own for
# a directory as input or a closed pipe, "/?" asks for help, and the help
# points at README.txt. The terminal checks are for the program's own pause,
# which only POSIX builds have.
if [[ $series == *.exe ]]; then
    eol=$'\r\n' windows=1 directory_reason="Invalid argument" pipe_reason="Invalid argument"
    help_end="The whole description: README.txt, beside series.exe."
else
    eol=$'\n' windows=0 directory_reason="Is a directory" pipe_reason="Broken pipe"
    help_end="The whole description: the manual page, series(1)."
fi

# The emulator's probe: 77 when it cannot run here.
if (($#)); then
    "${run[@]}" </dev/null >"$work/out" 2>&1
    (($? == 77)) && { cat "$work/out"; exit 77; }
fi

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
        [[ -s $work/err ]] && fail "$what: standard error: $(cat "$work/err")"
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
check_option() {  # option, first line, last line
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
    [[ $rest == "2 3" ]] || fail "$1: standard input was read, '$rest' left"
    ((status == 0)) || fail "$1: exit status $status"
}
check_option --version "series $version" "series $version"
check_option --help "Usage: series [OPTION]" "$help_end"
check_option -h "Usage: series [OPTION]" "$help_end"
((windows)) && check_option '/?' "Usage: series [OPTION]" "$help_end"

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
"${run[@]}" --help >/dev/full 2>"$work/err"
check_failed "help to a full disk" $? "series: cannot write standard output: No space left on device"
# The reader of the pipe takes the prompt and goes before the answer comes:
# the input comes through a FIFO, written only once the pipe's last reader
# has closed it, however slowly the program starts. The program holds the
# FIFO open for writing too, so that opening it does not wait for a writer.
mkfifo "$work/input"
"${run[@]}" <>"$work/input" 2>"$work/err" |
    { head -n 1 >/dev/null; exec <&-; echo 2 3 >"$work/input"; }
check_failed "output to a pipe closed after the prompt" "${PIPESTATUS[0]}" \
    "series: cannot write standard output: $pipe_reason"

((windows)) && { ((failures == 0)) && echo "all end-to-end checks passed"; exit $((failures > 0)); }

# At a terminal: an interactive Debian /bin/sh (dash), which has job control
# and, unlike bash, does not put the terminal's settings back after a program
# that a signal has ended. The run is a job of that shell's, a script that
# notes its own process and the terminal's settings, runs the program (with
# SIGHUP ignored when it is given "nohup"), and notes the settings again and
# then its exit status, which the checks wait for; its traps keep it going
# when Ctrl-C or Ctrl-\ ends the program.
cat >"$work/run.sh" <<EOF
trap : INT QUIT
[ "\${1-}" = nohup ] && trap '' HUP
echo \$\$ >"$work/shell"
stty -g >"$work/before"
sh -c 'echo \$\$ >"\$0"; shift; exec "\$@"' "$work/pid" x $(printf '%q ' "${run[@]}")
status=\$?
stty -g >"$work/after"
echo \$status >"$work/status"
EOF

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
stops_shown() { (($(screen | grep -c 'Stopped') >= $1)); }
stopped() { [[ $(cut -d' ' -f3 "/proc/$(<"$1")/stat") == T ]]; }
key_prompt_is_last() { [[ $(screen | tail -n 1) == "Press any key to continue . . ."* ]]; }
shell_prompt_after_key_prompt() { [[ $(screen | tail -n 2) == "Press any key to continue . . ."$'\n$' ]]; }
type_line() { "${tmux[@]}" send-keys -t e2e -l "$1" && "${tmux[@]}" send-keys -t e2e Enter; }
settings_are() {  # what, settings file: the terminal's settings now, as the shell reads them
    rm -f "$work/now"
    type_line "stty -g >$work/now.part && mv $work/now.part $work/now"
    wait_for "the settings $1" test -s "$work/now" &&
        { cmp -s "$2" "$work/now" || fail "$1: the terminal's settings are not the ones wanted"; }
}
ended_with() {  # what, exit status, settings file: then the terminal's settings are those
    wait_for "the end of the run after $1" test -s "$work/status" || return
    [[ $(<"$work/status") == "$2" ]] || fail "$1: exit status $(<"$work/status"), want $2"
    cmp -s "$3" "$work/after" || fail "$1: terminal settings changed"
}

start_shell() {
    # A server of its own: one that is still shutting down after the last
    # check cannot take a new session.
    tmux=(tmux -L "series-e2e-$$-$1" -f /dev/null)
    rm -f "$work/status" "$work/after" "$work/pid" "$work/shell" "$work/changed"
    "${tmux[@]}" new-session -d -s e2e -x 80 -y 24 "env PS1='$ ' /bin/sh -i"
    wait_for "the shell's prompt" shows '$'
}

# Runs to the key prompt, then ends the wait with a key (in tmux's words), a
# signal from outside (-TERM), SIGHUP to a run started with it ignored
# (nohup), or after stops:
# - C-z: stopped with the terminal put back; an stty while stopped, which the
#   run keeps from then on; fg and the wait again; a second C-z like the
#   first; fg and a key;
# - TSTP-after-the-shell: the stop reaches the run only once the shell has
#   the terminal back, where putting the terminal back must not stop the run
#   for writing to it (SIGTTOU); fg and a key.
check_terminal() {  # key or signal, exit status
    start_shell "$1"
    local script="sh $work/run.sh" settings=$work/before
    [[ $1 == nohup ]] && script+=" nohup"
    type_line "$script"
    wait_for "the prompt" shows 'Input a,n:' && type_line '2 3'
    local expected="\$ $script"$'\nInput a,n:\n2 3\nanswer:246\nPress any key to continue . . .'
    if wait_for "the key prompt" shows 'Press any key'; then
        [[ $(screen) == "$expected" ]] || fail "terminal: want '$expected', screen shows '$(screen)'"
        case $1 in
        -*) kill "$1" "$(<"$work/pid")" ;;
        nohup)
            kill -HUP "$(<"$work/pid")"
            "${tmux[@]}" send-keys -t e2e q
            ;;
        C-z)
            local stop
            for stop in 1 2; do
                "${tmux[@]}" send-keys -t e2e C-z
                # the run stops only once it has put the terminal back
                wait_for "stop $stop" stops_shown "$stop" && wait_for "the run's stop $stop" stopped "$work/pid" &&
                    settings_are "at stop $stop" "$settings"
                if ((stop == 1)); then
                    type_line "stty ixany && stty -g >$work/changed.part && mv $work/changed.part $work/changed"
                    wait_for "the stty while stopped" test -s "$work/changed"
                    settings=$work/changed
                fi
                type_line fg
                wait_for "the key prompt again after fg" key_prompt_is_last
            done
            "${tmux[@]}" send-keys -t e2e q
            ;;
        TSTP-after-the-shell)
            kill -STOP "$(<"$work/shell")"
            wait_for "the stop of the run's shell" stops_shown 1 &&
                kill -TSTP "$(<"$work/pid")" &&
                wait_for "the stop of the run" stopped "$work/pid" &&
                settings_are "at the stop" "$settings"
            type_line fg
            wait_for "the key prompt again after fg" key_prompt_is_last
            "${tmux[@]}" send-keys -t e2e q
            ;;
        *) "${tmux[@]}" send-keys -t e2e "$1" ;;
        esac
        ended_with "$1" "$2" "$settings"
        if (($2 == 0)); then
            # the key prompt's line ended, and the shell's prompt on its own
            wait_for "the shell's prompt on a line of its own after $1" shell_prompt_after_key_prompt ||
                fail "$1: screen shows '$(screen)'"
        else
            [[ $(screen) == "$expected"* ]] || fail "$1: screen shows '$(screen)'"
        fi
    fi
    "${tmux[@]}" kill-server
}

check_terminal q 0
check_terminal Enter 0
check_terminal C-d 0
check_terminal Up 0
check_terminal C-c 130
check_terminal 'C-\' 131
check_terminal C-z 0
check_terminal TSTP-after-the-shell 0
check_terminal -TERM 143
check_terminal -HUP 129
check_terminal nohup 0

# With its output redirected, nobody sees a key prompt: no wait.
start_shell redirected
type_line "sh $work/run.sh >$work/redirected"
wait_for "the run with its output redirected" test -s "$work/pid" && type_line '2 3'
ended_with "output redirected" 0 "$work/before"
[[ $(<"$work/redirected") == $'Input a,n:\nanswer:246' ]] ||
    fail "output redirected: the file holds '$(<"$work/redirected")'"
"${tmux[@]}" kill-server

((failures == 0)) && echo "all end-to-end checks passed"
exit $((failures > 0))
