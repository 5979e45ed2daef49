// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// One interactive run: the prompt, the two numbers, the answer line.
#pragma once

#include <cstdio>
#include <initializer_list>
#include <string_view>

namespace series {

// Writes the prompt to `output`, reads a and n from `input` and writes the
// answer line, each write flushed so that it is seen at once. Returns the
// run's exit status: 0, or 1 when the input could not be read or the output
// not written, which `errors` is then told in one line.
int run_console(std::FILE* input, std::FILE* output, std::FILE* errors);

// Writes a text made of `pieces` to `output`, flushed, for the answers that
// take a run's place (--help, --version). The exit status and the report of a
// failed write are the run's own.
int write_or_report(std::initializer_list<std::string_view> pieces, std::FILE* output,
                    std::FILE* errors);

}  // namespace series
