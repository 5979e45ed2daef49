// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// One console run driven from a string: the input goes in through a
// temporary file, and what the run wrote, and left unread, comes back out.
// Its output comes back as the file holds it, so that whatever the run left
// in the stream's buffer, unflushed, is missing there.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#else
#include <unistd.h>
#endif

#include <array>
#include <cstdio>
#include <filesystem>
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

// A new file in the system's temporary folder, gone once it closes. Not
// tmpfile's: Microsoft's runtime makes that in the drive's root, where only
// an administrator may write. The name holds the process and a count, so that
// tests side by side never meet, and the file must be new, so that none is
// ever shared. Its name goes at once on POSIX, and at the last close on
// Windows, where an open file cannot be removed.
inline File temporary_file() {
    static unsigned long made = 0;
#ifdef _WIN32
    const int process = _getpid();
#else
    const pid_t process = getpid();
#endif
    const auto name = "series-test-" + std::to_string(process) + "-" + std::to_string(++made);
    const std::filesystem::path path = std::filesystem::temp_directory_path() / name;
#ifdef _WIN32
    const int descriptor =
        _wopen(path.c_str(), _O_RDWR | _O_CREAT | _O_EXCL | _O_BINARY | _O_TEMPORARY,
               _S_IREAD | _S_IWRITE);
#else
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, S_IRUSR | S_IWUSR);
    if (descriptor >= 0) {
        static_cast<void>(unlink(path.c_str()));
    }
#endif
    if (descriptor < 0) {
        throw std::runtime_error("cannot make " + path.string());
    }
    File file(fdopen(descriptor, "w+b"));
    if (!file) {
        static_cast<void>(close(descriptor));
        throw std::runtime_error("no stream for " + path.string());
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

// What the file itself holds, read past the stream and its buffer.
inline std::string written_to(std::FILE* file) {
    const int descriptor = fileno(file);
    if (lseek(descriptor, 0, SEEK_SET) != 0) {
        throw std::runtime_error("cannot read the output back");
    }
    std::string written;
    std::array<char, 4096> block{};
    for (auto size = read(descriptor, block.data(), block.size()); size > 0;
         size = read(descriptor, block.data(), block.size())) {
        written.append(block.data(), static_cast<std::size_t>(size));
    }
    return written;
}

// The run on that input stream, with files for its output and errors.
inline ConsoleRun run_console_reading(std::FILE* in) {
    const File out = temporary_file();
    const File err = temporary_file();
    ConsoleRun run{series::run_console(in, out.get(), err.get()), {}, {}, {}};
    run.unread = rest_of(in);
    run.output = written_to(out.get());
    std::rewind(err.get());
    run.errors = rest_of(err.get());
    return run;
}

}  // namespace console_run_detail

inline ConsoleRun run_console_on(const std::string& input) {
    using namespace console_run_detail;
    const File in = temporary_file();
    if (std::fwrite(input.data(), 1, input.size(), in.get()) != input.size()) {
        throw std::runtime_error("cannot write the input");
    }
    std::rewind(in.get());
    return run_console_reading(in.get());
}

// A run whose input stream is in error, as a directory's is after a read: a
// write to a stream open for reading alone fails and marks it, on every
// platform's C library.
inline ConsoleRun run_console_on_failed_input() {
    using namespace console_run_detail;
    const File file = temporary_file();
    const File in(fdopen(dup(fileno(file.get())), "r"));
    if (!in || std::fputc('x', in.get()) != EOF || std::ferror(in.get()) == 0) {
        throw std::runtime_error("no stream in error");
    }
    return run_console_reading(in.get());
}
