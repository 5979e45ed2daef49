// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include "platform.hpp"

#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <span>

// The key wait's rule, like less's and vim's: the terminal's settings are read
// once, before the wait changes them, and every end of the run puts those back.
// Signals reach the run only while it waits for a key; their handlers put the
// settings back or note a continue, and the wait itself sets its mode again.
namespace series::platform {

namespace {

constexpr std::string_view key_prompt = "Press any key to continue . . . ";

// The wait's mode: one key, unechoed and without Enter, whatever key it is:
// flow control and the extended keys (Ctrl-S, Ctrl-V, Ctrl-O) are off, so that
// none is taken by the terminal instead. Ctrl-C, Ctrl-\ and Ctrl-Z keep their
// signals.
constexpr auto local_flags_off = static_cast<tcflag_t>(ICANON | ECHO | IEXTEN);
constexpr auto input_flags_off = static_cast<tcflag_t>(IXON);
termios saved_mode{};
termios key_wait_mode{};

// Every signal that ends a run by default and can be caught, which puts the
// settings back first; SIGTSTP, which does the same before the stop; then
// SIGCONT, which a run gets when it goes on after a stop, or with none.
constexpr std::array caught_signals{SIGINT,  SIGQUIT, SIGTERM,   SIGHUP,  SIGUSR1,
                                    SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF, SIGXCPU,
                                    SIGXFSZ, SIGIO,   SIGTSTP,   SIGCONT};
std::array<struct sigaction, caught_signals.size()> previous_actions{};
struct sigaction resending_action {};
struct sigaction continuing_action {};
volatile std::sig_atomic_t continued = 0;  // since the wait last looked

// Whether the run has had the terminal, in the wait's mode, since the wait
// last looked. Until a continue, only the run's own stop can have taken the
// terminal from it, for the shell, which takes it back as soon as it sees the
// job stop, often before the run's handler has put the settings back.
volatile std::sig_atomic_t terminal_was_ours = 0;

// The handlers below: async-signal-safe calls only.

sigset_t signal_set(std::span<const int> signals) {
    sigset_t set{};
    sigemptyset(&set);
    for (const int signal_number : signals) {
        sigaddset(&set, signal_number);
    }
    return set;
}

bool in_foreground() { return tcgetpgrp(STDIN_FILENO) == getpgrp(); }

// While the run has the terminal, or the shell has just taken it at the
// run's stop, and never while another job has it: the settings are that
// job's then. SIGTTOU, which would stop a run that writes them from the
// background, waits meanwhile, blocked here and not only by the handler's
// mask, which qemu-user does not apply to the system's calls.
void put_back_terminal() {
    if (terminal_was_ours != 0 || in_foreground()) {
        constexpr int stop_for_terminal_output = SIGTTOU;
        const sigset_t waiting = signal_set({&stop_for_terminal_output, 1});
        sigset_t previous_mask{};
        sigprocmask(SIG_BLOCK, &waiting, &previous_mask);
        tcsetattr(STDIN_FILENO, TCSANOW, &saved_mode);
        sigprocmask(SIG_SETMASK, &previous_mask, nullptr);
    }
    terminal_was_ours = 0;
}

// Straight to the terminal, unbuffered.
void write_to_terminal(std::string_view text) {
    [[maybe_unused]] const auto written = write(STDOUT_FILENO, text.data(), text.size());
}

// Puts the terminal back, then lets the signal take its usual course: the run
// ends by it, so that the shell sees which one, or, for SIGTSTP, stops until
// SIGCONT, or goes on where the system refuses the stop (a process group with
// no job control). errno stays as the interrupted code left it.
void put_back_and_resend(int signal_number) {
    const int interrupted_errno = errno;
    put_back_terminal();
    struct sigaction default_action {};
    default_action.sa_handler = SIG_DFL;
    sigaction(signal_number, &default_action, nullptr);
    const sigset_t this_signal = signal_set({&signal_number, 1});
    sigprocmask(SIG_UNBLOCK, &this_signal, nullptr);
    static_cast<void>(std::raise(signal_number));

    sigprocmask(SIG_BLOCK, &this_signal, nullptr);  // until the handler returns
    sigaction(signal_number, &resending_action, nullptr);
    errno = interrupted_errno;
}

// SIGCONT is left unblocked in the other handler, so that a stop's continue is
// noted before the wait looks.
void note_continue(int /*signal_number*/) {
    continued = 1;
    terminal_was_ours = 0;
}

// An ending signal or a stop that the run was started with ignored stays
// ignored. No handler restarts the wait, so that the wait sees each one.
void catch_signals() {
    resending_action.sa_handler = put_back_and_resend;
    continuing_action.sa_handler = note_continue;
    for (struct sigaction* action : {&resending_action, &continuing_action}) {
        action->sa_mask = signal_set(caught_signals);
        sigdelset(&action->sa_mask, SIGCONT);
    }
    for (std::size_t i = 0; i < caught_signals.size(); ++i) {
        const bool continues = caught_signals[i] == SIGCONT;
        sigaction(caught_signals[i], nullptr, &previous_actions[i]);
        if (continues || previous_actions[i].sa_handler != SIG_IGN) {
            sigaction(caught_signals[i], continues ? &continuing_action : &resending_action,
                      nullptr);
        }
    }
}

void release_signals() {
    for (std::size_t i = 0; i < caught_signals.size(); ++i) {
        sigaction(caught_signals[i], &previous_actions[i], nullptr);
    }
}

bool in_key_wait_mode(const termios& mode) {
    return (mode.c_lflag & local_flags_off) == 0 && (mode.c_iflag & input_flags_off) == 0 &&
           mode.c_cc[VMIN] == key_wait_mode.c_cc[VMIN] &&
           mode.c_cc[VTIME] == key_wait_mode.c_cc[VTIME];
}

// After a signal that left the run going. A stop's handler put the settings
// back, and so did one whose stop the system refused; a shell may have set
// the terminal its own way during a stop (bash does, dash does not). Once
// the run has the terminal in the foreground, the wait takes up its mode
// again, and its prompt with it after a stop or a time in the background. A
// continue with no stop, which finds the mode as it was, changes nothing.
void take_up_the_wait_again() {
    static bool was_in_background = false;
    const bool after_continue = continued != 0;
    continued = 0;
    termios mode{};
    if (!in_foreground() || tcgetattr(STDIN_FILENO, &mode) != 0) {
        was_in_background = true;
        return;
    }
    if (!in_key_wait_mode(mode)) {
        tcsetattr(STDIN_FILENO, TCSANOW, &key_wait_mode);
        if (after_continue || was_in_background) {
            write_to_terminal(key_prompt);
        }
    }
    was_in_background = false;
    terminal_was_ours = 1;
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
    if (isatty(STDOUT_FILENO) == 0 || tcgetattr(STDIN_FILENO, &saved_mode) != 0) {
        return;
    }
    key_wait_mode = saved_mode;
    key_wait_mode.c_lflag &= ~local_flags_off;
    key_wait_mode.c_iflag &= ~input_flags_off;
    key_wait_mode.c_cc[VMIN] = 1;
    key_wait_mode.c_cc[VTIME] = 0;

    // The signals wait outside pselect, so that none finds the terminal and
    // the handlers out of step, and none comes between a look at the flag and
    // the wait.
    const sigset_t caught = signal_set(caught_signals);
    sigset_t unblocked{};
    sigprocmask(SIG_BLOCK, &caught, &unblocked);
    catch_signals();
    tcsetattr(STDIN_FILENO, TCSANOW, &key_wait_mode);
    terminal_was_ours = 1;
    write_to_terminal(key_prompt);

    // Whatever ends the wait, a key, end of input or an error, ends it; a
    // signal that leaves the run going (under qemu-user even one that the run
    // ignores) does not. In the background the input is another job's, and a
    // shell's fg need not send SIGCONT (bash's does not, after bg): there the
    // run looks again every tenth of a second instead.
    int ready = 0;
    while (true) {
        const bool foreground = in_foreground();
        fd_set input{};
        FD_ZERO(&input);
        if (foreground) {
            FD_SET(STDIN_FILENO, &input);
        }
        timespec a_tenth{0, 100'000'000};
        ready = pselect(STDIN_FILENO + 1, &input, nullptr, nullptr, foreground ? nullptr : &a_tenth,
                        &unblocked);
        if (ready > 0 || (ready < 0 && errno != EINTR)) {
            break;
        }
        take_up_the_wait_again();
    }

    // A single key can send several bytes (arrows, function keys): take them
    // all, so none is left over for the shell.
    if (ready > 0) {
        constexpr std::size_t longest_key_sequence = 32;
        std::array<char, longest_key_sequence> key{};
        [[maybe_unused]] const auto taken = read(STDIN_FILENO, key.data(), key.size());
    }
    put_back_terminal();
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
