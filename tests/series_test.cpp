// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include "series.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "plain_series_loop.hpp"

namespace {

using series::series_sum;
using series::times;

constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();

static_assert(series_sum(2, 3) == 246, "usable in constant expressions");
// At the largest n in a constant expression: the compilers stop a constant
// evaluation long before the 2^31 passes of a loop over every term.
static_assert(series_sum(9, int_max) == 1193046471, "a bounded number of passes for any n");

struct TimesRow {
    std::int32_t x;
    std::int32_t product;
};

TEST(Times, MultipliesByTenModulo2To32) {
    constexpr TimesRow rows[] = {
        {0, 0},         {7, 70},      {-3, -30}, {214748364, 2147483640}, {214748365, -2147483646},
        {int_max, -10}, {int_min, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(times(row.x), row.product) << "x=" << row.x;
    }
}

struct SeriesRow {
    std::int32_t a;
    std::int32_t n;
    std::int32_t total;
};

// Expected totals: a(10^(n+1) - 9n - 10)/81, reduced modulo 2^32.
TEST(SeriesSum, KnownTotals) {
    constexpr SeriesRow rows[] = {
        {5, 1, 5},
        {9, 1, 9},
        {9, 2, 108},
        {2, 3, 246},
        {3, 4, 3702},
        {7, 5, 86415},
        // the largest exact totals, then the first that wrap
        {1, 10, 1234567900},
        {9, 9, 1111111101},
        {2, 10, -1825831496},
        {9, 10, -1773790788},
        {1, 11, -539222877},
        // 8 = 2^3 reaches a place value of 0 after 29 multiplications by ten,
        // an odd digit after 32: the passes on either side of that point
        {8, 29, -371170040},
        {8, 30, 583267136},
        {8, 31, 1537704312},
        {8, 32, -1802825808},
        {1, 32, 848388598},
        {1, 33, -106048579},
        {1, 34, -1060485756},
        {1, 35, -2014922933},
        // the largest n there is
        {1, int_max, 132560719},
        {2, int_max, 265121438},
        {8, int_max, 1060485752},
        {9, int_max, 1193046471},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(series_sum(row.a, row.n), row.total) << "a=" << row.a << " n=" << row.n;
    }
}

// Every digit, and one past each end of the digits, since the shortcut holds
// for any a; n from below the range through the place values' reaching 0.
TEST(SeriesSum, MatchesThePlainLoop) {
    constexpr std::int32_t large_n[] = {1'000, 65'537, 1'000'003, 9'999'991};
    for (std::int32_t a = -1; a <= 10; ++a) {
        for (std::int32_t n = -1; n <= 100; ++n) {
            EXPECT_EQ(series_sum(a, n), plain_series_loop(a, n)) << "a=" << a << " n=" << n;
        }
        for (const std::int32_t n : large_n) {
            EXPECT_EQ(series_sum(a, n), plain_series_loop(a, n)) << "a=" << a << " n=" << n;
        }
    }
}

}  // namespace
