// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// What a run needs from the platform, which each does its own way: the build
// takes posix/ or windows/, each with this interface's code and the header
// for reading a stream, locked_stream.hpp.
#pragma once

#include <string_view>

namespace series::platform {

// Makes a write to a pipe that nobody reads fail like any other write,
// instead of ending the process, so that the run can report it.
void ignore_broken_pipe();

// Waits for one key press where someone can see the prompt and press a key.
void wait_for_key();

// The help switches that this platform's programs take besides -h and
// --help, what follows the answer here, and where the whole description of
// the program is, for the help.
bool is_native_help_switch(std::string_view argument);
extern const std::string_view help_switches;
extern const std::string_view after_the_answer;
extern const std::string_view manual_location;

}  // namespace series::platform
