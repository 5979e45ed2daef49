// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

// The repeated-digit series a + aa + aaa + ... in 32-bit two's-complement
// arithmetic that wraps. Pure functions, no I/O.
#pragma once

#include <cstdint>

namespace series {

// x * 10 reduced modulo 2^32. The product is taken in unsigned arithmetic,
// where wrapping is defined, and converted back (modular since C++20).
constexpr std::int32_t times(std::int32_t x) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(x) * 10U);
}

// The sum of the first n repeated-digit numbers of a (a, aa, aaa, ...),
// reduced modulo 2^32 into the int32 range. Defined for every a and n; an n
// below 2 gives a.
//
// The k-th number is the one before it plus the digit in its k-th place, and
// that place value a * 10^(k-1) reaches 0 modulo 2^32 after at most 32
// multiplications, because 10^32 is a multiple of 2^32. From then on each
// further number equals the last, so the rest of the series is one product:
// at most 32 passes for any n.
// NOLINTNEXTLINE(bugprone-easily-swappable-parameters): a then n, as the prompt orders them
constexpr std::int32_t series_sum(std::int32_t a, std::int32_t n) {
    std::int32_t place_value = a;
    auto repeated = static_cast<std::uint32_t>(a);
    auto total = repeated;
    std::int32_t count = 1;
    for (; count < n && place_value != 0; ++count) {
        place_value = times(place_value);
        repeated += static_cast<std::uint32_t>(place_value);
        total += repeated;
    }
    if (count < n) {
        total += repeated * (static_cast<std::uint32_t>(n) - static_cast<std::uint32_t>(count));
    }
    return static_cast<std::int32_t>(total);
}

}  // namespace series
