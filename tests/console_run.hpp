// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// One console run driven from a string: the input goes in through a
// temporary file, and what the run wrote, and left unread, comes back out.
#pragma once

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "console.hpp"

struct ConsoleRun {
    int status;
    std::string output;
    std::string errors;
    std::string unread;  // what follows in the input where the run stopped reading
};

namespace console_run_detail {

// A deleter of its own: a pointer to std::fclose as a template argument loses
// the attributes that newer C libraries declare it with, which GCC warns of.
// The files are read back before they close, so a failed close loses nothing.
struct Close {
    void operator()(std::FILE* file) const { static_cast<void>(std::fclose(file)); }
};
using File = std::unique_ptr<std::FILE, Close>;

inline File temporary_file() {
    File file(std::tmpfile());
    if (!file) {
        throw std::runtime_error("no temporary file");
    }
    return file;
}

inline std::string rest_of(std::FILE* file) {
    std::string rest;
    for (int c = std::getc(file); c != EOF; c = std::getc(file)) {
        rest.push_back(static_cast<char>(c));
    }
    return rest;
}

}  // namespace console_run_detail

inline ConsoleRun run_console_on(const std::string& input) {
    using namespace console_run_detail;
    const File in = temporary_file();
    const File out = temporary_file();
    const File err = temporary_file();
    if (std::fwrite(input.data(), 1, input.size(), in.get()) != input.size()) {
        throw std::runtime_error("cannot write the input");
    }
    std::rewind(in.get());

    ConsoleRun run{series::run_console(in.get(), out.get(), err.get()), {}, {}, {}};
    run.unread = rest_of(in.get());
    std::rewind(out.get());
    run.output = rest_of(out.get());
    std::rewind(err.get());
    run.errors = rest_of(err.get());
    return run;
}
