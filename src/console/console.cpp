// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include "console.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "locked_stream.hpp"  // the platform's, chosen by the build
#include "series.hpp"

namespace series {

namespace {

// White space and digits as the C locale has them, whatever the locale.
bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// The input one character ahead: `next` is the first character that no step
// has used yet (EOF at the end), taken from the stream but not yet consumed.
// The steps keep the character in a local while they loop, where the
// compiler can hold it in a register: the stream's own stores could reach
// `next`, as far as it knows.
struct Lookahead {
    std::FILE* stream;
    int next;
};

void skip_space(Lookahead& input) {
    int c = input.next;
    while (is_space(c)) {
        c = platform::take_char(input.stream);
    }
    input.next = c;
}

// True for a minus sign; a plus sign is taken too.
bool take_sign(Lookahead& input) {
    const bool negative = input.next == '-';
    if (negative || input.next == '+') {
        input.next = platform::take_char(input.stream);
    }
    return negative;
}

// The value of the digits there, stopping at `limit`; empty where there are none.
std::optional<std::uint32_t> take_digits(Lookahead& input, std::uint32_t limit) {
    int c = input.next;
    if (!is_digit(c)) {
        return std::nullopt;
    }
    std::uint32_t magnitude = 0;
    do {
        const auto digit = static_cast<std::uint32_t>(c - '0');
        magnitude = magnitude <= (limit - digit) / 10 ? magnitude * 10 + digit : limit;
        c = platform::take_char(input.stream);
    } while (is_digit(c));
    input.next = c;
    return magnitude;
}

// One decimal integer, read as "%d" reads one: white space, an optional sign,
// digits. A number past 32 bits is taken at the nearest limit, as strtol
// takes one past long; here the program differs from scanf on purpose: C
// leaves "%d"'s value undefined there, and glibc's scanf keeps the low 32
// bits, so that 4294967298 would read as 2. The negative limit's magnitude
// is one more.
std::optional<std::int32_t> read_number(Lookahead& input) {
    constexpr auto highest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    skip_space(input);
    const bool negative = take_sign(input);
    const auto magnitude = take_digits(input, negative ? highest + 1 : highest);
    if (!magnitude) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? 0U - *magnitude : *magnitude);
}

struct Numbers {
    std::optional<std::int32_t> a;
    std::optional<std::int32_t> n;
};

// A number the input does not deliver is empty; like "%d %d", the read stops
// at the first such number, and the character where it stopped goes back.
Numbers read_a_and_n(std::FILE* stream) {
    platform::lock_stream(stream);
    Lookahead input{stream, platform::take_char(stream)};
    const auto a = read_number(input);
    const Numbers numbers{a, a ? read_number(input) : std::nullopt};
    static_cast<void>(std::ungetc(input.next, stream));
    platform::unlock_stream(stream);
    return numbers;
}

bool write_flushed(std::initializer_list<std::string_view> pieces, std::FILE* output) {
    const bool written =
        std::all_of(pieces.begin(), pieces.end(), [output](std::string_view piece) {
            return std::fwrite(piece.data(), 1, piece.size(), output) == piece.size();
        });
    return written && std::fflush(output) == 0;
}

// "series: ", what failed and the system's reason, as one line on `errors`.
int report_failure(std::FILE* errors, const char* what, int error) {
    const std::array<const char*, 5> parts{"series: ", what, ": ", std::strerror(error), "\n"};
    for (const char* part : parts) {
        static_cast<void>(std::fputs(part, errors));
    }
    return 1;
}

}  // namespace

int write_or_report(std::initializer_list<std::string_view> pieces, std::FILE* output,
                    std::FILE* errors) {
    return write_flushed(pieces, output)
               ? 0
               : report_failure(errors, "cannot write standard output", errno);
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): in, out, err, as the standard streams go
int run_console(std::FILE* input, std::FILE* output, std::FILE* errors) {
    if (const int status = write_or_report({"Input a,n:\n"}, output, errors); status != 0) {
        return status;
    }

    const auto [a, n] = read_a_and_n(input);
    if (std::ferror(input) != 0) {
        return report_failure(errors, "cannot read standard input", errno);
    }
    // An undelivered number counts as 0, which fails the range test.
    const bool in_range = a && n && *a >= 1 && *a <= 9 && *n >= 1;
    const std::int32_t total = in_range ? series_sum(*a, *n) : 0;

    std::array<char, 11> digits{};  // room for a sign and ten digits
    char* const first = digits.data();
    const char* const last = std::to_chars(first, first + digits.size(), total).ptr;
    const auto length = static_cast<std::size_t>(last - first);
    return write_or_report({"answer:", {first, length}, "\n"}, output, errors);
}

}  // namespace series
