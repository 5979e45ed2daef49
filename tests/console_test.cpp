// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <string>

#include "console_run.hpp"

namespace {

std::string megabyte_of(char c) { return std::string(std::size_t{1} << 20U, c); }

struct Row {
    const char* what;
    std::string input;
    const char* answer;
};

TEST(RunConsole, AnswersEachInputExactly) {
    using namespace std::string_literals;
    const Row rows[] = {
        {"valid", "2 3\n", "246"},
        {"one term", "5 1", "5"},
        {"the lowest digit", "1 10", "1234567900"},
        {"the highest digit", "9 9", "1111111101"},
        {"wraps with its sign", "2 10", "-1825831496"},
        {"separate lines", "2\n3\n", "246"},
        {"CRLF line endings", "2\r\n3\r\n", "246"},
        {"tabs", "\t2\t\t3\t", "246"},
        {"vertical tab and form feed", "\v2\f3", "246"},
        {"signs", "+2 +3", "246"},
        {"leading zeros are decimal", "007 05", "86415"},
        {"trailing number", "2 3 4", "246"},
        {"trailing words", "2 3 and more", "246"},
        {"digit 0", "0 3", "0"},
        {"digit 10", "10 3", "0"},
        {"negative digit", "-3 3", "0"},
        {"no terms", "9 0", "0"},
        {"negative terms", "9 -4", "0"},
        // a number the input does not deliver is 0
        {"empty input", "", "0"},
        {"end of input after a", "2", "0"},
        {"comma between", "2,3", "0"},
        {"letters", "x y", "0"},
        {"a sign alone", "+", "0"},
        {"two signs", "+-2 3", "0"},
        {"a sign apart from its digits", "- 2 3", "0"},
        {"a sign apart from n", "2 + 3", "0"},
        {"NUL before", "\0 2 3"s, "0"},
        {"NUL between", "2\0 3"s, "0"},
        {"Arabic-Indic digits", "\xD9\xA2 \xD9\xA3", "0"},
        {"fullwidth digits", "\xEF\xBC\x92 \xEF\xBC\x93", "0"},
        // the 32-bit limits, and past them the nearest limit
        {"a at the upper limit", "2147483647 3", "0"},
        {"a past the upper limit", "2147483648 3", "0"},
        {"a at the lower limit", "-2147483648 3", "0"},
        {"a past the lower limit", "-2147483649 3", "0"},
        {"n just under the upper limit", "2 2147483640", "742340028"},
        {"n at the upper limit", "2 2147483647", "265121438"},
        {"n past the upper limit", "2 2147483648", "265121438"},
        {"n at the lower limit", "2 -2147483648", "0"},
        {"n past the lower limit", "2 -2147483649", "0"},
        // a megabyte of input is read in one pass
        {"a megabyte of digits in a", megabyte_of('7') + " 3", "0"},
        {"a megabyte of digits in n", "2 " + megabyte_of('9'), "265121438"},
        {"a megabyte of zeros", megabyte_of('0') + "2 3", "246"},
        {"a megabyte of white space", megabyte_of(' ') + "2 3", "246"},
    };
    for (const auto& row : rows) {
        const ConsoleRun run = run_console_on(row.input);
        EXPECT_EQ(run.output, "Input a,n:\nanswer:"s + row.answer + "\n") << row.what;
        EXPECT_EQ(run.errors, "") << row.what;
        EXPECT_EQ(run.status, 0) << row.what;
    }
}

// The prompt is seen before the read, which may wait for a person or fail.
TEST(RunConsole, ThePromptIsOutBeforeAFailedRead) {
    const ConsoleRun run = run_console_on_failed_input();
    EXPECT_EQ(run.output, "Input a,n:\n");
    EXPECT_EQ(run.errors.rfind("series: cannot read standard input: ", 0), 0U) << run.errors;
    EXPECT_EQ(run.status, 1);
}

struct UnreadRow {
    const char* input;
    const char* unread;
};

TEST(RunConsole, LeavesWhatFollowsNUnread) {
    constexpr UnreadRow rows[] = {
        {"2 3", ""},
        {"2 3 4", " 4"},
        {"2\n3\nmore words\n", "\nmore words\n"},
        {"2,3", ",3"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(run_console_on(row.input).unread, row.unread) << row.input;
    }
}

}  // namespace
