#include <cstdlib>

#include "platform.hpp"

// Windows has no SIGPIPE: a write to a closed pipe fails, and the run says so.
void ignore_broken_pipe() {}

void wait_for_key() {
    // The command interpreter's own "pause" prompts and waits; its outcome
    // changes nothing in the run.
    // NOLINTNEXTLINE(cert-env33-c): handing "pause" to the interpreter is the point
    static_cast<void>(std::system("pause"));
}
