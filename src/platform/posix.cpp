#include <termios.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstddef>
#include <cstdio>

#include "platform.hpp"

namespace {

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
    termios saved{};
    if (tcgetattr(STDIN_FILENO, &saved) != 0) {
        return;  // input is a pipe or a file: nobody is there to press a key
    }

    // One key, unechoed and without Enter. ISIG is off so that Ctrl-C is a
    // key like any other and cannot end the run with the terminal left raw.
    termios raw = saved;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;

    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    write_now("Press any key to continue . . . ");
    // A single key can send several bytes (arrows, function keys): take them
    // all, so none is left over for the shell. Whatever read returns, a key,
    // end of input or an error, the wait is over.
    constexpr std::size_t longest_key_sequence = 32;
    std::array<char, longest_key_sequence> key{};
    [[maybe_unused]] const auto bytes_read = read(STDIN_FILENO, key.data(), key.size());
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    write_now("\n");
}
