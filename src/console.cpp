#include "console.hpp"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

#include "platform/input.hpp"
#include "series.hpp"

namespace series {

namespace {

// White space and digits as the C locale has them, whatever the locale.
bool is_space(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Reads one decimal integer the way "%d" does: white space skipped, an
// optional sign, the digits, and the character after them put back. A number
// past 32 bits is taken at the nearest limit. Empty when no number is there.
std::optional<std::int32_t> read_number(std::FILE* input) {
    int c = platform::take_while(input, is_space);
    const bool negative = c == '-';
    if (negative || c == '+') {
        c = platform::next_char(input);
    }
    if (!is_digit(c)) {
        static_cast<void>(std::ungetc(c, input));
        return std::nullopt;
    }

    // The magnitude stops at the limit, which is one more for a negative number.
    constexpr auto highest = static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max());
    const std::uint32_t limit = negative ? highest + 1 : highest;
    auto magnitude = static_cast<std::uint32_t>(c - '0');
    c = platform::take_while(input, [&magnitude, limit](int next) {
        if (!is_digit(next)) {
            return false;
        }
        const auto digit = static_cast<std::uint32_t>(next - '0');
        magnitude = magnitude <= (limit - digit) / 10 ? magnitude * 10 + digit : limit;
        return true;
    });
    static_cast<void>(std::ungetc(c, input));
    return static_cast<std::int32_t>(negative ? 0U - magnitude : magnitude);
}

struct Numbers {
    std::optional<std::int32_t> a;
    std::optional<std::int32_t> n;
};

// A number the input does not deliver is empty; like "%d %d", the read stops
// at the first such number. The stream stays locked for the whole read.
Numbers read_a_and_n(std::FILE* input) {
    platform::lock_input(input);
    const auto a = read_number(input);
    const Numbers numbers{a, a ? read_number(input) : std::nullopt};
    platform::unlock_input(input);
    return numbers;
}

bool write_now(std::initializer_list<std::string_view> pieces, std::FILE* output) {
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

int write_text(std::initializer_list<std::string_view> pieces, std::FILE* output,
               std::FILE* errors) {
    return write_now(pieces, output)
               ? 0
               : report_failure(errors, "cannot write standard output", errno);
}

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): in, out, err, as the standard streams go
int run_console(std::FILE* input, std::FILE* output, std::FILE* errors) {
    if (const int status = write_text({"Input a,n:\n"}, output, errors); status != 0) {
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
    const char* const digits_end = std::to_chars(digits.begin(), digits.end(), total).ptr;
    return write_text({"answer:", {digits.data(), digits_end}, "\n"}, output, errors);
}

}  // namespace series
