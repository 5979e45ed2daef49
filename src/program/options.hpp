// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// The command line. a and n are typed, never passed: only --help and
// --version, each the one argument, answer in place of a run, and any other
// arguments are ignored.
#pragma once

#include <cstdio>
#include <optional>

namespace series {

// Writes the help or the version to `output` when the arguments ask for one
// and returns the exit status; otherwise returns nothing and writes nothing.
std::optional<int> answer_option(int argc, const char* const* argv, std::FILE* output,
                                 std::FILE* errors);

}  // namespace series
