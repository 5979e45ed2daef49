#include <termios.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstddef>
#include <cstdio>

#include "platform.hpp"

namespace {

// The terminal's settings before the key wait, and the wait's own: one key,
// unechoed and without Enter. The wait's settings turn ISIG off, so Ctrl-C is
// a key like any other; only a signal sent from outside can interrupt.
termios saved_mode{};
termios key_wait_mode{};

// The signals from outside that end or stop a run, and what they did before
// the wait.
constexpr std::array outside_signals{SIGTERM, SIGHUP, SIGQUIT, SIGINT, SIGTSTP};
std::array<struct sigaction, outside_signals.size()> previous_actions{};
struct sigaction restoring_action {};

// Puts the terminal back, then lets the signal take its usual course: the run
// ends by it, so whoever sent it sees it in the status, or, for SIGTSTP,
// stops here until SIGCONT, when the wait's settings come back. Only
// async-signal-safe calls.
void restore_terminal_and_resend(int signal_number) {
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_mode);
    static_cast<void>(std::signal(signal_number, SIG_DFL));
    sigset_t this_signal{};
    sigemptyset(&this_signal);
    sigaddset(&this_signal, signal_number);
    sigprocmask(SIG_UNBLOCK, &this_signal, nullptr);
    static_cast<void>(std::raise(signal_number));
    sigaction(signal_number, &restoring_action, nullptr);
    tcsetattr(STDIN_FILENO, TCSANOW, &key_wait_mode);
}

// A signal that the run was started with ignored stays ignored.
void catch_outside_signals() {
    restoring_action.sa_handler = restore_terminal_and_resend;
    restoring_action.sa_flags = SA_RESTART;  // after a stop, the wait goes on
    sigemptyset(&restoring_action.sa_mask);
    for (std::size_t i = 0; i < outside_signals.size(); ++i) {
        sigaction(outside_signals[i], nullptr, &previous_actions[i]);
        if (previous_actions[i].sa_handler != SIG_IGN) {
            sigaction(outside_signals[i], &restoring_action, nullptr);
        }
    }
}

void release_outside_signals() {
    for (std::size_t i = 0; i < outside_signals.size(); ++i) {
        sigaction(outside_signals[i], &previous_actions[i], nullptr);
    }
}

// Written at once: the key prompt must be on screen while the run waits.
void write_now(const char* text) {
    static_cast<void>(std::fputs(text, stdout));
    static_cast<void>(std::fflush(stdout));
}

}  // namespace

void ignore_broken_pipe() {
    // SIGPIPE would end the run as soon as the reader of its output has gone.
    static_cast<void>(std::signal(SIGPIPE, SIG_IGN));
}

// POSIX has no "pause" command, so the prompt and the wait are done here.
void wait_for_key() {
    if (tcgetattr(STDIN_FILENO, &saved_mode) != 0) {
        return;  // input is a pipe or a file: nobody is there to press a key
    }
    key_wait_mode = saved_mode;
    key_wait_mode.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    key_wait_mode.c_cc[VMIN] = 1;
    key_wait_mode.c_cc[VTIME] = 0;

    catch_outside_signals();
    tcsetattr(STDIN_FILENO, TCSANOW, &key_wait_mode);
    write_now("Press any key to continue . . . ");
    // A single key can send several bytes (arrows, function keys): take them
    // all, so none is left over for the shell. Whatever read returns, a key,
    // end of input or an error, the wait is over.
    constexpr std::size_t longest_key_sequence = 32;
    std::array<char, longest_key_sequence> key{};
    [[maybe_unused]] const auto bytes_read = read(STDIN_FILENO, key.data(), key.size());
    tcsetattr(STDIN_FILENO, TCSANOW, &saved_mode);
    release_outside_signals();
    write_now("\n");
}
