// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include "platform.hpp"

#include <cstdlib>

namespace series::platform {

// Windows has no SIGPIPE: a write to a closed pipe fails, and the run says so.
void ignore_broken_pipe() {}

void wait_for_key() {
    // The command interpreter's own "pause" prompts and waits; its outcome
    // changes nothing in the run.
    // NOLINTNEXTLINE(cert-env33-c): handing "pause" to the interpreter is the point
    static_cast<void>(std::system("pause"));
}

// Windows programs take "/?" for help; the manual travels as a text file.
bool is_native_help_switch(std::string_view argument) { return argument == "/?"; }
const std::string_view help_switches = "-h, --help, /?";
const std::string_view after_the_answer =
    "Once the answer is written, the command interpreter's pause waits for a\n"
    "key, or returns at once where standard input is at its end.\n";
const std::string_view manual_location = "README.txt, beside series.exe";

}  // namespace series::platform
