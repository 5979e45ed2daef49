// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include "platform.hpp"

#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <span>

namespace series::platform {

namespace {

constexpr std::string_view key_prompt = "Press any key to continue . . . ";

// The terminal's settings to put back when the wait ends, and the wait's own:
// one key, unechoed and without Enter, whatever key it is: flow control and
// the extended keys (Ctrl-S, Ctrl-V, Ctrl-O) are off, so that none is taken
// by the terminal instead. Ctrl-C, Ctrl-\ and Ctrl-Z keep their signals.
termios saved_mode{};
termios key_wait_mode{};

// The signals that end or stop a run, from the keyboard or from outside, then
// SIGCONT, which a run gets when it goes on after any stop, and what each did
// before the wait. While a handler runs for one of them, all of them wait, so
// that none cuts into another's work on the terminal.
constexpr std::array caught_signals{SIGTERM, SIGHUP, SIGQUIT, SIGINT, SIGTSTP, SIGCONT};
std::array<struct sigaction, caught_signals.size()> previous_actions{};
struct sigaction restoring_action {};
struct sigaction resuming_action {};

// Everything below runs in the signal handler too: async-signal-safe calls
// only.

sigset_t signal_set(std::span<const int> signals) {
    sigset_t set{};
    sigemptyset(&set);
    for (const int signal_number : signals) {
        sigaddset(&set, signal_number);
    }
    return set;
}

// Takes the terminal's present settings as the ones to put back, and derives
// the wait's from them. False where standard input is no terminal.
bool read_terminal_mode() {
    if (tcgetattr(STDIN_FILENO, &saved_mode) != 0) {
        return false;
    }
    key_wait_mode = saved_mode;
    key_wait_mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
    key_wait_mode.c_iflag &= ~static_cast<tcflag_t>(IXON);
    key_wait_mode.c_cc[VMIN] = 1;
    key_wait_mode.c_cc[VTIME] = 0;
    return true;
}

// Puts the terminal's settings back, even where a stop of the whole job has
// already made the run a background job: the shell wants them back too.
// SIGTTOU, which would stop the run instead, waits meanwhile.
void restore_terminal() {
    constexpr int stop_for_terminal_output = SIGTTOU;
    const sigset_t waiting = signal_set({&stop_for_terminal_output, 1});
    sigset_t previous_mask{};
    sigprocmask(SIG_BLOCK, &waiting, &previous_mask);
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_mode);
    sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
}

// Straight to the terminal, unbuffered.
void write_to_terminal(std::string_view text) {
    [[maybe_unused]] const auto written = write(STDOUT_FILENO, text.data(), text.size());
}

// Puts the terminal back, then lets the signal take its usual course: the run
// ends by it, so that the shell sees which one, or, for SIGTSTP, stops here
// until SIGCONT. errno stays as the interrupted code left it.
void restore_terminal_and_resend(int signal_number) {
    const int interrupted_errno = errno;
    restore_terminal();
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigaction(signal_number, &default_action, nullptr);
    const sigset_t this_signal = signal_set({&signal_number, 1});
    sigprocmask(SIG_UNBLOCK, &this_signal, nullptr);
    static_cast<void>(std::raise(signal_number));

    sigprocmask(SIG_BLOCK, &this_signal, nullptr);  // until the handler returns
    sigaction(signal_number, &restoring_action, nullptr);
    errno = interrupted_errno;
}

// After any stop, Ctrl-Z or a SIGSTOP from outside, the shell has had the
// terminal and set it its own way. Once the run has it back in the
// foreground, the wait comes back with its prompt, in settings made from the
// terminal's as they are now, which an stty during the stop may have changed.
// In the background it leaves the terminal alone: its read stops it until fg.
void resume_key_wait(int /*signal_number*/) {
    const int interrupted_errno = errno;
    if (tcgetpgrp(STDIN_FILENO) == getpgrp() && read_terminal_mode()) {
        tcsetattr(STDIN_FILENO, TCSANOW, &key_wait_mode);
        write_to_terminal(key_prompt);
    }
    errno = interrupted_errno;
}

// An ending signal that the run was started with ignored stays ignored.
void catch_signals() {
    restoring_action.sa_handler = restore_terminal_and_resend;
    resuming_action.sa_handler = resume_key_wait;
    for (struct sigaction* action : {&restoring_action, &resuming_action}) {
        action->sa_flags = SA_RESTART;  // after a stop, the wait goes on
        action->sa_mask = signal_set(caught_signals);
    }
    for (std::size_t i = 0; i < caught_signals.size(); ++i) {
        const bool resumes = caught_signals[i] == SIGCONT;
        sigaction(caught_signals[i], nullptr, &previous_actions[i]);
        if (resumes || previous_actions[i].sa_handler != SIG_IGN) {
            sigaction(caught_signals[i], resumes ? &resuming_action : &restoring_action, nullptr);
        }
    }
}

void release_signals() {
    for (std::size_t i = 0; i < caught_signals.size(); ++i) {
        sigaction(caught_signals[i], &previous_actions[i], nullptr);
    }
}

}  // namespace

void ignore_broken_pipe() {
    // SIGPIPE would end the run as soon as the reader of its output has gone.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGPIPE, &ignore, nullptr);
}

// POSIX has no "pause" command, so the prompt and the wait are done here, and
// only at a terminal, where the prompt is seen: with input or output
// redirected the run ends after the answer.
void wait_for_key() {
    if (isatty(STDOUT_FILENO) == 0 || !read_terminal_mode()) {
        return;
    }

    // The signals wait while the wait is set up and taken down, so that none
    // finds the terminal and the handlers out of step.
    const sigset_t caught = signal_set(caught_signals);
    sigset_t unblocked{};
    sigprocmask(SIG_BLOCK, &caught, &unblocked);
    catch_signals();
    tcsetattr(STDIN_FILENO, TCSANOW, &key_wait_mode);
    write_to_terminal(key_prompt);
    sigprocmask(SIG_SETMASK, &unblocked, nullptr);

    // A single key can send several bytes (arrows, function keys): take them
    // all, so none is left over for the shell. Whatever read returns, a key,
    // end of input or an error, the wait is over, but for a signal that
    // interrupts it and leaves the run going (under qemu-user even one that
    // the run ignores does).
    constexpr std::size_t longest_key_sequence = 32;
    std::array<char, longest_key_sequence> key{};
    while (read(STDIN_FILENO, key.data(), key.size()) < 0 && errno == EINTR) {
    }

    sigprocmask(SIG_BLOCK, &caught, nullptr);
    restore_terminal();
    release_signals();
    sigprocmask(SIG_SETMASK, &unblocked, nullptr);
    write_to_terminal("\n");
}

bool is_native_help_switch(std::string_view /*argument*/) { return false; }
const std::string_view help_switches = "-h, --help";
const std::string_view after_the_answer =
    "When standard input and output are a terminal, it then waits for a key.\n";
const std::string_view manual_location = "the manual page, series(1)";

}  // namespace series::platform
