// Times whole runs of the built program, each a fresh process reading its
// input from a file, and prints two ratios of median times: the largest n
// against n = 2, and series against a plain C program making the same
// printf/scanf calls. The runs are interleaved so that any drift in the
// machine's load falls on all of them alike.
// Usage: process_ratios [ROUNDS]
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Subject {
    const char* name;
    const char* program;
    std::string input;
    std::vector<double> milliseconds;
};

std::string input_file(const std::string& text) {
    std::string path = "/tmp/series-process-ratios-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        std::perror("input file");
        std::exit(1);
    }
    close(fd);
    return path;
}

// One run with `input` on standard input and the output discarded.
double run_once(const Subject& subject) {
    posix_spawn_file_actions_t files{};
    posix_spawn_file_actions_init(&files);
    posix_spawn_file_actions_addopen(&files, STDIN_FILENO, subject.input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&files, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    char* const argv[] = {const_cast<char*>(subject.program), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, subject.program, &files, nullptr, argv, environ) == 0) {
        waitpid(child, &status, 0);
    }
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    posix_spawn_file_actions_destroy(&files);
    if (status != 0) {
        std::fprintf(stderr, "%s failed\n", subject.program);
        std::exit(1);
    }
    return elapsed.count();
}

double median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    Subject subjects[] = {
        {"series, n = 2", SERIES_PATH, input_file("9 2\n"), {}},
        {"series, n = 2147483647", SERIES_PATH, input_file("9 2147483647\n"), {}},
        {"plain C, same printf/scanf", STDIO_BASELINE_PATH, input_file("9 2\n"), {}},
    };
    for (int round = 0; round < rounds; ++round) {
        for (auto& subject : subjects) {
            subject.milliseconds.push_back(run_once(subject));
        }
    }
    double medians[3] = {};
    for (int i = 0; i < 3; ++i) {
        medians[i] = median(subjects[i].milliseconds);
        std::printf("%-28s median %.3f ms over %d runs\n", subjects[i].name, medians[i], rounds);
        unlink(subjects[i].input.c_str());
    }
    std::printf("ratio, n = 2147483647 to n = 2:      %.3f\n", medians[1] / medians[0]);
    std::printf("ratio, series to plain C (n = 2):    %.3f\n", medians[0] / medians[2]);
    return rounds > 0 ? 0 : 1;
}
