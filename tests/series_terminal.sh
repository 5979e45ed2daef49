#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The series maintainers
# SPDX-License-Identifier: MIT

# End-to-end checks of the built program at a terminal, in tmux, where the
# pause is the program's own (POSIX). Exits 77, skipped, with the reason,
# where the program's pause is not its own or no terminal can be had: no tmux,
# or no pseudo-terminal, as on a build daemon.
# Usage: series_terminal.sh SERIES VERSION [EMULATOR...]
set -uo pipefail
# shellcheck source=SCRIPTDIR/e2e_setup.sh
. "$(dirname "$0")/e2e_setup.sh"
skip() {
    echo "skipped: $*"
    exit 77
}
((windows)) && skip "the pause on Windows is the command interpreter's"
command -v tmux >/dev/null || skip "no tmux"
[[ -r /proc/self/stat ]] || command -v ps >/dev/null || skip "neither /proc nor ps tells whether a process is stopped"
# The shell in the terminal is /bin/sh, whatever the user's own is: a build
# user's may be nologin.
export SHELL=/bin/sh
probe=(tmux -L "series-probe-$$" -f /dev/null)
if ! reason=$("${probe[@]}" new-session -d -s probe "sleep 10" 2>&1); then
    skip "tmux cannot start a terminal: $reason"
fi
"${probe[@]}" kill-server

# At a terminal, from an interactive /bin/sh (Debian's dash, which does not
# put the terminal's settings back after a job that a signal has ended or
# stopped) and from an interactive bash (which does). The run is a job of that
# shell's, or, where it has no job control, of none; a script that
# notes its own process and the terminal's settings, runs the program (with
# SIGHUP ignored when it is given "nohup"), and notes the settings again and
# then its exit status, which the checks wait for; its traps keep it going
# when Ctrl-C or Ctrl-\ ends the program.
cat >"$work/run.sh" <<EOF
trap : INT QUIT
[ "\${1-}" = nohup ] && trap '' HUP
echo \$\$ >"$work/shell"
stty -g </dev/tty >"$work/before"
sh -c 'echo \$\$ >"\$0"; shift; exec "\$@"' "$work/pid" x $(printf '%q ' "${run[@]}")
status=\$?
stty -g </dev/tty >"$work/after"
echo \$status >"$work/status"
EOF

# Every wait is for something that must happen: it ends as soon as it does,
# and only a fault waits it out, so the limit can be far beyond any run's time.
wait_for() {  # what, command...: retries the command for up to a minute
    local what=$1
    shift
    for _ in $(seq 600); do
        "$@" && return 0
        sleep 0.1
    done
    fail "$what did not happen"
    return 1
}
screen() { "${tmux[@]}" capture-pane -p -t e2e | sed -e '/^$/d'; }
fail_screen() { local shown; shown=$(screen); fail "$1: screen shows '$shown'"; }
shows() { screen | grep -qF "$1"; }
stops_shown() { local count; count=$(screen | grep -c 'Stopped'); ((count >= $1)); }
stopped() {  # file of a process id: where the system keeps the state, or ps
    local pid state
    pid=$(<"$1")
    if [[ -r /proc/$pid/stat ]]; then
        state=$(cut -d' ' -f3 "/proc/$pid/stat") && [[ $state == T ]]
    else
        state=$(ps -o stat= -p "$pid") && [[ $state == T* ]]
    fi
}
key_prompt_is_last() { local last; last=$(screen | tail -n 1) && [[ $last == "Press any key to continue . . ."* ]]; }
shell_prompt_after() { local last; last=$(screen | tail -n 2) && [[ $last == "$1"$'\n$' ]]; }
cat_answered() { local count; count=$(screen | grep -cx 'typed to cat'); ((count == 2)); }
waiting_again() { local now; ! stopped "$work/pid" && now=$(stty -g <"$tty") && [[ $now == "$(<"$work/waiting")" ]]; }
type_line() { "${tmux[@]}" send-keys -t e2e -l "$1" && "${tmux[@]}" send-keys -t e2e Enter; }
settings_are_as_before() {  # what: the terminal's settings now, as the shell reads them
    rm -f "$work/now"
    type_line "stty -g >$work/now.part && mv $work/now.part $work/now"
    wait_for "the settings $1" test -s "$work/now" &&
        { cmp -s "$work/before" "$work/now" || fail "$1: the terminal's settings are not the ones wanted"; }
}
ended_with() {  # what, exit status: then the terminal's settings are those from before the run
    wait_for "the end of the run after $1" test -s "$work/status" || return
    [[ $(<"$work/status") == "$2" ]] || fail "$1: exit status $(<"$work/status"), want $2"
    cmp -s "$work/before" "$work/after" || fail "$1: terminal settings changed"
}

start_shell() {  # name, shell, command (an interactive shell where none is given)
    # A server of its own: one that is still shutting down after the last
    # check cannot take a new session.
    tmux=(tmux -L "series-e2e-$$-${1//[^a-zA-Z0-9]/_}" -f /dev/null)
    rm -f "$work/status" "$work/after" "$work/pid" "$work/shell"
    "${tmux[@]}" new-session -d -s e2e -x 80 -y 24 "export PS1='$ '; ${3:-exec $2 -i}"
    tty=$("${tmux[@]}" display-message -p -t e2e '#{pane_tty}')
    [[ -n ${3-} ]] || wait_for "the shell's prompt" shows '$'
}

# Runs to the key prompt from the shell, then ends the wait with a key (in
# tmux's words), a signal from outside (-TERM), SIGHUP to a run started with
# it ignored (nohup), or after stops and continues:
# - -CONT: a continue with no stop, which changes nothing; a key;
# - C-z: stopped with the terminal put back; fg and the wait again, in its
#   own mode, with its prompt; a second C-z like the first; fg and a key;
# - input-in-the-background: C-z, bg, a line typed to cat in the foreground,
#   which is not the run's to read; fg, the wait again with its prompt, a key;
# - TSTP-after-the-shell: the stop reaches the run only once the shell has
#   the terminal back, where putting the terminal back must not stop the run
#   for writing to it (SIGTTOU); fg and a key;
# - STOP-from-outside: a SIGSTOP to the whole job, which the run cannot see
#   coming, so that the shell's settings or the wait's stay; fg, the wait
#   again in its own mode, and a key;
# - orphaned-C-z: started where there is no job control, as a terminal's own
#   program is, where the system refuses the stop; then a key.
check_terminal() {  # shell, key or signal, exit status
    local shell=$1
    shift
    local script="sh $work/run.sh" last_line="Press any key to continue . . ."
    local expected="\$ $script"$'\nInput a,n:\n2 3\nanswer:246\n'$last_line
    [[ $1 == nohup ]] && script+=" nohup" expected="\$ $script${expected#*run.sh}"
    if [[ $1 == orphaned-C-z ]]; then
        start_shell "$shell $1" "$shell" "$shell -c '$script; exec env \"PS1=\$ \" $shell -i'"
        expected=${expected#*$'\n'}
    else
        start_shell "$shell $1" "$shell"
        type_line "$script"
    fi
    wait_for "the prompt" shows 'Input a,n:' && type_line '2 3'
    if wait_for "the key prompt" shows 'Press any key'; then
        local shown
        shown=$(screen)
        [[ $shown == "$expected" ]] || fail "terminal: want '$expected', screen shows '$shown'"
        stty -g <"$tty" >"$work/waiting"
        case $1 in
        -CONT)
            kill -CONT "$(<"$work/pid")"
            "${tmux[@]}" send-keys -t e2e q
            ;;
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
                    settings_are_as_before "at stop $stop"
                type_line fg
                wait_for "the wait again after fg" waiting_again &&
                    wait_for "the key prompt again after fg" key_prompt_is_last
            done
            "${tmux[@]}" send-keys -t e2e q
            ;;
        input-in-the-background)
            "${tmux[@]}" send-keys -t e2e C-z
            wait_for "the stop" stopped "$work/pid" && type_line "bg; cat"
            wait_for "cat in the foreground" shows 'cat' && type_line "typed to cat"
            wait_for "cat's answer" cat_answered && "${tmux[@]}" send-keys -t e2e C-d
            type_line fg
            wait_for "the wait again after fg" waiting_again &&
                wait_for "the key prompt again after fg" key_prompt_is_last
            "${tmux[@]}" send-keys -t e2e q
            ;;
        TSTP-after-the-shell)
            kill -STOP "$(<"$work/shell")"
            wait_for "the stop of the run's shell" stops_shown 1 &&
                kill -TSTP "$(<"$work/pid")" &&
                wait_for "the stop of the run" stopped "$work/pid" &&
                settings_are_as_before "at the stop"
            type_line fg
            wait_for "the wait again after fg" waiting_again &&
                wait_for "the key prompt again after fg" key_prompt_is_last
            "${tmux[@]}" send-keys -t e2e q
            ;;
        STOP-from-outside)
            kill -STOP -- "-$(<"$work/shell")"
            wait_for "the stop" stops_shown 1
            type_line fg
            wait_for "the wait again after fg" waiting_again
            # the prompt comes again where the shell had set the terminal its own way
            [[ $shell == bash* ]] || last_line="\$ $script"
            "${tmux[@]}" send-keys -t e2e y
            ;;
        orphaned-C-z)
            "${tmux[@]}" send-keys -t e2e C-z
            sleep 1 # nothing shows that the refused stop has been seen; a key before would be no test
            "${tmux[@]}" send-keys -t e2e q
            ;;
        *) "${tmux[@]}" send-keys -t e2e "$1" ;;
        esac
        ended_with "$1" "$2"
        if (($2 == 0)); then
            # the key prompt's line ended, and the shell's prompt on its own
            wait_for "the shell's prompt on a line of its own after $1" shell_prompt_after "$last_line" ||
                fail_screen "$1"
        else
            shown=$(screen)
            [[ $shown == "$expected"* ]] || fail "$1: screen shows '$shown'"
        fi
    fi
    "${tmux[@]}" kill-server
}

for shell in sh "bash --norc --noprofile"; do
    while read -r key status; do
        check_terminal "$shell" "$key" "$status"
    done <<'END'
q 0
Enter 0
C-d 0
Up 0
C-s 0
C-c 130
C-\ 131
C-z 0
input-in-the-background 0
TSTP-after-the-shell 0
STOP-from-outside 0
orphaned-C-z 0
-CONT 0
-TERM 143
-HUP 129
-USR1 138
-ALRM 142
nohup 0
END
done

# With its output redirected, nobody sees a key prompt: no wait.
start_shell redirected sh
type_line "sh $work/run.sh >$work/redirected"
wait_for "the run with its output redirected" test -s "$work/pid" && type_line '2 3'
ended_with "output redirected" 0
[[ $(<"$work/redirected") == $'Input a,n:\nanswer:246' ]] ||
    fail "output redirected: the file holds '$(<"$work/redirected")'"
"${tmux[@]}" kill-server

# With its input piped, nobody can answer a key prompt: the answer, and no wait.
start_shell piped sh
type_line "echo 2 3 | sh $work/run.sh"
ended_with "input piped" 0
wait_for "the shell's prompt after the piped run" shows 'answer:246'
! shows 'Press any key' || fail_screen "input piped"
"${tmux[@]}" kill-server

finish terminal
