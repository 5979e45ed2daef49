// SPDX-FileCopyrightText: 2026 The series maintainers
// SPDX-License-Identifier: MIT

#include <benchmark/benchmark.h>

#include <cstdint>

#include "plain_series_loop.hpp"
#include "series.hpp"

namespace {

template <std::int32_t (*sum)(std::int32_t, std::int32_t)>
void BM_sum(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    std::int32_t a = 9;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);  // keeps the call from being worked out at compile time
        benchmark::DoNotOptimize(sum(a, n));
    }
}

BENCHMARK_TEMPLATE(BM_sum, series::series_sum)->Arg(1)->Arg(33)->Arg(1'000'000)->Arg(2'147'483'647);
// The one-term-at-a-time loop, for scale.
BENCHMARK_TEMPLATE(BM_sum, plain_series_loop)->Arg(1)->Arg(33)->Arg(1'000'000);

}  // namespace
