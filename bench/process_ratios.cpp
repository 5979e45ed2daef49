// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// Times whole runs of the built program, each a fresh process reading its
// input from a file, against a plain C program that reads the same input
// with scanf (stdio_baseline.c), and prints the medians of the ratios of
// their times, round by round, for people to read: a time moves with
// whatever else the machine does, so no figure here decides anything (the
// gates count instructions instead, gates.sh). The time is the processor
// time that the kernel counts for the run, user and system. The ratios:
// - small input: n = 2147483647 against n = 2, and series against C;
// - a large input (white space before the numbers, a long number, leading
//   zeros): series against C, and series' peak memory.
// Runs are interleaved, so that any drift in the machine's speed falls on all
// of them alike. Exits 1 only when a run fails.
// Usage: process_ratios [ROUNDS [MEBIBYTES]]
//        (1000 rounds of the small runs, 9 of the large; 256 MiB)
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Subject {
    const char* program;
    std::string input;                   // the path of the input file
    std::vector<double> milliseconds{};  // processor time, a run each
    long peak_kib = 0;
};

// An input of `head`, then `count` times `filler`, then `tail`.
struct Input {
    std::string_view head{};
    char filler = ' ';
    std::size_t count = 0;
    std::string_view tail{};
};

std::string input_file(const Input& input) {
    const char* const folder = std::getenv("TMPDIR");
    std::string path = std::string(folder != nullptr ? folder : "/tmp") + "/series-ratios-XXXXXX";
    const int fd = mkstemp(path.data());
    FILE* const file = fd < 0 ? nullptr : fdopen(fd, "w");
    bool written = file != nullptr &&
                   std::fwrite(input.head.data(), 1, input.head.size(), file) == input.head.size();
    const std::string block(std::size_t{1} << 20U, input.filler);
    for (std::size_t left = input.count; written && left > 0;) {
        const std::size_t part = std::min(left, block.size());
        written = std::fwrite(block.data(), 1, part, file) == part;
        left -= part;
    }
    written =
        written && std::fwrite(input.tail.data(), 1, input.tail.size(), file) == input.tail.size();
    if (file == nullptr || std::fclose(file) != 0 || !written) {
        std::perror("input file");
        std::exit(1);
    }
    return path;
}

double milliseconds_of(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1e3 + static_cast<double>(time.tv_usec) / 1e3;
}

// One run with the subject's input on standard input and the output
// discarded. The child is forked rather than spawned (posix_spawn shares the
// parent's memory until the exec), so that the peak memory that the kernel
// reports for it is its own, not this program's.
void run_once(Subject& subject) {
    const pid_t child = fork();
    if (child == 0) {
        const int input = open(subject.input.c_str(), O_RDONLY);
        const int output = open("/dev/null", O_WRONLY);
        if (input >= 0 && output >= 0 && dup2(input, STDIN_FILENO) >= 0 &&
            dup2(output, STDOUT_FILENO) >= 0) {
            static_cast<void>(execl(subject.program, subject.program, nullptr));
        }
        _exit(127);
    }
    int status = -1;
    rusage usage{};
    if (child > 0) {
        wait4(child, &status, 0, &usage);
    }
    if (status != 0) {
        static_cast<void>(std::fprintf(stderr, "%s failed\n", subject.program));
        std::exit(1);
    }
    subject.milliseconds.push_back(milliseconds_of(usage.ru_utime) +
                                   milliseconds_of(usage.ru_stime));
    subject.peak_kib = std::max(subject.peak_kib, usage.ru_maxrss);
}

void run_interleaved(std::initializer_list<Subject*> subjects, int rounds) {
    for (int round = 0; round < rounds; ++round) {
        for (Subject* subject : subjects) {
            run_once(*subject);
        }
    }
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

void print_figure(const char* what, double value) { std::printf("%-44s %8.3f\n", what, value); }

// The median of the rounds' ratios: the two runs of a round follow each
// other, so that a slower spell of the machine falls on both.
double ratio(const Subject& subject, const Subject& against) {
    std::vector<double> ratios;
    for (std::size_t round = 0; round < subject.milliseconds.size(); ++round) {
        ratios.push_back(subject.milliseconds[round] / against.milliseconds[round]);
    }
    return median(ratios);
}

}  // namespace

int main(int argc, char** argv) {
    const long rounds_given = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000;
    const int rounds = static_cast<int>(std::clamp(rounds_given, 0L, 1'000'000L));
    const std::size_t size = (argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 256) << 20U;
    constexpr int large_rounds = 9;
    if (rounds <= 0 || size == 0) {
        return 1;
    }

    Subject small{SERIES_PATH, input_file({.head = "9 2\n"})};
    Subject largest_n{SERIES_PATH, input_file({.head = "9 2147483647\n"})};
    Subject small_c{STDIO_BASELINE_PATH, small.input};
    run_interleaved({&small, &largest_n, &small_c}, rounds);
    std::printf("small input, medians over %d runs: series %.3f ms, plain C %.3f ms\n", rounds,
                median(small.milliseconds), median(small_c.milliseconds));
    print_figure("ratio, n = 2147483647 to n = 2", ratio(largest_n, small));
    print_figure("ratio, series to plain C, n = 2", ratio(small, small_c));

    struct Large {
        const char* what;
        std::string input;
    };
    const std::array large_inputs{
        Large{"white space, then 2 3", input_file({.filler = ' ', .count = size, .tail = "2 3\n"})},
        Large{"2, then a long number", input_file({.head = "2 ", .filler = '7', .count = size})},
        Large{"leading zeros, then 2 3",
              input_file({.filler = '0', .count = size, .tail = "2 3\n"})},
    };
    for (const Large& large : large_inputs) {
        Subject series{SERIES_PATH, large.input};
        Subject c{STDIO_BASELINE_PATH, large.input};
        run_interleaved({&series, &c}, large_rounds);
        std::printf(
            "%zu MiB, %s: medians over %d runs: series %.1f ms, plain C %.1f ms;"
            " plain C's peak memory %.1f MiB\n",
            size >> 20U, large.what, large_rounds, median(series.milliseconds),
            median(c.milliseconds), static_cast<double>(c.peak_kib) / 1024);
        print_figure("  ratio, series to plain C", ratio(series, c));
        print_figure("  series' peak memory, MiB", static_cast<double>(series.peak_kib) / 1024);
        unlink(large.input.c_str());
    }
    unlink(small.input.c_str());
    unlink(largest_n.input.c_str());
    return 0;
}
