// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// The series summed one term at a time, straight from its definition: the
// reference that the constant-time series_sum is checked and timed against.
#pragma once

#include <cstdint>

// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a then n, as series_sum takes them
inline std::int32_t plain_series_loop(std::int32_t a, std::int32_t n) {
    auto place_value = static_cast<std::uint32_t>(a);
    auto repeated = place_value;
    auto total = place_value;
    for (std::int32_t k = 1; k < n; ++k) {
        place_value *= 10U;
        repeated += place_value;
        total += repeated;
    }
    return static_cast<std::int32_t>(total);
}
