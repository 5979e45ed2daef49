// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// Fuzz target: any bytes as the input of one console run. The output must be
// the prompt and exactly one answer line, with the answer that the input's
// first two numbers give, worked out here by a separate route (strtol), and
// nothing on standard error.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

#include "console_run.hpp"
#include "series.hpp"

namespace {

// strtol reads a number as "%d" does: white space skipped, an optional sign,
// decimal digits. Past 32 bits the program takes the nearest limit, on
// purpose unlike scanf (C leaves "%d"'s value undefined there, and glibc's
// scanf keeps the low 32 bits), and strtol's value clamped gives the same. An
// undelivered number stays 0, and so does every number after it.
std::int32_t expected_answer(const std::string& input) {
    const char* cursor = input.c_str();
    std::int32_t numbers[2] = {0, 0};
    for (auto& number : numbers) {
        char* end = nullptr;
        const long value = std::strtol(cursor, &end, 10);
        if (end == cursor) {
            break;
        }
        constexpr long lowest = std::numeric_limits<std::int32_t>::min();
        constexpr long highest = std::numeric_limits<std::int32_t>::max();
        number = static_cast<std::int32_t>(std::clamp(value, lowest, highest));
        cursor = end;
    }
    const auto [a, n] = numbers;
    return a >= 1 && a <= 9 && n >= 1 ? series::series_sum(a, n) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const ConsoleRun run = run_console_on(input);
    const std::string expected =
        "Input a,n:\nanswer:" + std::to_string(expected_answer(input)) + "\n";
    if (run.output != expected || !run.errors.empty() || run.status != 0) {
        std::abort();
    }
    return 0;
}
