#include "console.hpp"

#include <cstdint>
#include <istream>
#include <ostream>

#include "series.hpp"

void run_console(std::istream& input, std::ostream& output) {
    output << "Input a,n:\n" << std::flush;

    // A number the input does not deliver stays 0 and fails the range test;
    // one too large for 32 bits saturates to the nearest limit.
    std::int32_t a = 0;
    std::int32_t n = 0;
    input >> a >> n;

    const bool in_range = a >= 1 && a <= 9 && n >= 1;
    const std::int32_t total = in_range ? series_sum(a, n) : 0;
    output << "answer:" << total << '\n' << std::flush;
}
