// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include <cstdio>

#include "console.hpp"
#include "options.hpp"
#include "platform.hpp"

int main(int argc, char** argv) {
    using namespace series;
    platform::ignore_broken_pipe();
    if (const auto status = answer_option(argc, argv, stdout, stderr)) {
        return *status;
    }
    const int status = run_console(stdin, stdout, stderr);
    if (status == 0) {
        platform::wait_for_key();
    }
    return status;
}
