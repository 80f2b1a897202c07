#pragma once

// Memory of an estimate's tree, measured in the benchmark process itself: after the timed runs (the
// measurement gives freed memory back to the system, which would make runs after it start cold), the
// reading is done once more and the resident memory is read from /proc. "drzewo_B_poz" is what the tree keeps
// (resident memory with the tree alive, less the memory before the reading), "szczyt_B_poz" the peak of
// the reading (its decoded text and other passing buffers included), both in bytes per position.
#include <benchmark/benchmark.h>

#include <malloc.h>

#include <fstream>
#include <string>

namespace PamiecBenchmarku {

// The field of /proc/self/status ("VmRSS:", "VmHWM:") in bytes.
inline double Pole(const std::string& nazwa)
{
    std::ifstream status("/proc/self/status");
    std::string slowo;
    while (status >> slowo)
        if (slowo == nazwa) {
            double kb = 0;
            status >> kb;
            return kb * 1024.0;
        }
    return 0.0;
}

// Runs the reading (which returns the tree) once and sets the two counters.
template <typename TCzytanie> void Zmierz(benchmark::State& stan, int pozycji, const TCzytanie& czytanie)
{
    // Memory freed earlier goes back to the system, so that "before" is what the process really holds.
    malloc_trim(0);
    const double przed = Pole("VmRSS:");
    std::ofstream("/proc/self/clear_refs") << "5"; // the peak starts again from the current memory
    {
        const auto drzewo = czytanie();
        const double szczyt = Pole("VmHWM:");
        // What the reading freed is not the tree's.
        malloc_trim(0);
        const double z = Pole("VmRSS:");
        stan.counters["drzewo_B_poz"] = (z - przed) / pozycji;
        stan.counters["szczyt_B_poz"] = (szczyt - przed) / pozycji;
    }
}

} // namespace PamiecBenchmarku
