#pragma once

#include <benchmark/benchmark.h>

// The counter "cel": the time of one iteration as a share of the target (under 1 meets it).
inline void Cel(benchmark::State& stan, double sekund)
{
    stan.counters["cel"] =
        benchmark::Counter(sekund, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
