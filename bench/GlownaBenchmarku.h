#pragma once

// The main of every benchmark: it runs as the programs run, with huge pages from the allocator (see
// app/DuzeStrony.h), so that the figures are the ones a user gets.
#include "app/DuzeStrony.h"

#include <benchmark/benchmark.h>

#define VELOSTRA_BENCHMARK_MAIN()                                                                                      \
    int main(int argc, char** argv)                                                                                    \
    {                                                                                                                  \
        UruchomZDuzymiStronami(argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        if (benchmark::ReportUnrecognizedArguments(argc, argv))                                                        \
            return 1;                                                                                                  \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
