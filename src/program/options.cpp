// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include "options.hpp"

#include <string_view>

#include "console.hpp"
#include "platform.hpp"

namespace series {

namespace {

constexpr std::string_view usage_and_description = R"(Usage: series [OPTION]
Sums the repeated-digit series a + aa + aaa + ... of n numbers.

It writes the prompt "Input a,n:", reads a digit a and a count n from
standard input (typed, not given as arguments, separated by white space:
"2 3", not "2,3") and writes one line: "answer:" and the total, in 32-bit
arithmetic that wraps around. A digit outside 1 to 9, a count below 1, or
input that does not begin with two numbers gives answer:0.
)";

constexpr std::string_view options_heading = R"(
Options, each the one argument:
  )";

constexpr std::string_view options_and_exit_status = R"(
      show this help and exit
  --version
      show the version and exit

Exit status: 0 once the answer is written; 1 when standard input cannot be
read or standard output cannot be written.

The whole description: )";

// As GNU programs say it: the version, the copyright, the licence.
constexpr std::string_view version_and_licence = "series " SERIES_VERSION R"(
Copyright 2026 The series maintainers.
License MIT: <https://spdx.org/licenses/MIT.html>.
This is free software: you are free to change and redistribute it.
There is NO WARRANTY, to the extent permitted by law.
)";

}  // namespace

std::optional<int> answer_option(int argc, const char* const* argv, std::FILE* output,
                                 std::FILE* errors) {
    if (argc != 2) {
        return std::nullopt;
    }
    const std::string_view option = argv[1];
    if (option == "--version") {
        return write_or_report({version_and_licence}, output, errors);
    }
    if (option == "--help" || option == "-h" || platform::is_native_help_switch(option)) {
        return write_or_report(
            {usage_and_description, platform::after_the_answer, options_heading,
             platform::help_switches, options_and_exit_status, platform::manual_location, ".\n"},
            output, errors);
    }
    return std::nullopt;
}

}  // namespace series
