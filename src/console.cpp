#include "console.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "series.hpp"

namespace {

// White space and digits as the C locale has them, whatever the locale.
bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Reads one decimal integer the way "%d" does: white space skipped, an
// optional sign, the digits, and the character after them put back. A number
// past 32 bits is taken at the nearest limit. Empty when no number is there.
std::optional<std::int32_t> read_number(std::FILE* input) {
    int c = 0;
    do {
        c = std::getc(input);
    } while (is_space(c));
    const bool negative = c == '-';
    if (negative || c == '+') {
        c = std::getc(input);
    }
    if (!is_digit(c)) {
        static_cast<void>(std::ungetc(c, input));
        return std::nullopt;
    }

    // The magnitude stops at the limit, which is one more for a negative number.
    constexpr auto highest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    const std::uint32_t limit = negative ? highest + 1 : highest;
    std::uint32_t magnitude = 0;
    for (; is_digit(c); c = std::getc(input)) {
        const auto digit = static_cast<std::uint32_t>(c - '0');
        magnitude = magnitude <= (limit - digit) / 10 ? magnitude * 10 + digit : limit;
    }
    static_cast<void>(std::ungetc(c, input));
    return static_cast<std::int32_t>(negative ? 0U - magnitude : magnitude);
}

bool write_now(std::string_view text, std::FILE* output) {
    return std::fwrite(text.data(), 1, text.size(), output) == text.size() &&
           std::fflush(output) == 0;
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

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): in, out, err, as the standard streams go
int run_console(std::FILE* input, std::FILE* output, std::FILE* errors) {
    if (!write_now("Input a,n:\n", output)) {
        return report_failure(errors, "cannot write standard output", errno);
    }

    // A number the input does not deliver is 0, which fails the range test;
    // like "%d %d", the read stops at the first such number.
    const auto a = read_number(input);
    const auto n = a ? read_number(input) : std::nullopt;
    if (std::ferror(input) != 0) {
        return report_failure(errors, "cannot read standard input", errno);
    }

    const bool in_range = a && n && *a >= 1 && *a <= 9 && *n >= 1;
    const std::int32_t total = in_range ? series_sum(*a, *n) : 0;

    constexpr std::string_view label = "answer:";
    std::array<char, 32> line{};  // room for the label, a sign, ten digits and the line feed
    char* end = std::copy(label.begin(), label.end(), line.begin());
    end = std::to_chars(end, line.end(), total).ptr;
    *end++ = '\n';
    if (!write_now({line.data(), end}, output)) {
        return report_failure(errors, "cannot write standard output", errno);
    }
    return 0;
}
