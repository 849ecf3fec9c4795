// Timing shared by the benchmark programs that report ratios to a physical
// baseline measured in the same run.
#pragma once
#include <algorithm>
#include <chrono>
#include <ctime>
#include <numeric>
#include <vector>

#include "bench/bench_files.h"

// Processor time of this thread, kernel time included: on a busy machine it
// leaves out the time spent waiting for a core.
inline double ThreadSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Wall-clock and processor seconds of one piece of work, and its quickest
// run: on a shared machine other work only ever adds time, so the ratio of
// the quickest runs is the steadier figure.
struct Spent {
    double wall = 0;
    double cpu = 0;
    double quickest = 1e9;
};

template <typename Work>
void Measure(Spent* total, Work work) {
    auto start = std::chrono::steady_clock::now();
    double cpuStart = ThreadSeconds();
    work();
    total->cpu += ThreadSeconds() - cpuStart;
    double wall = SecondsSince(start);
    total->wall += wall;
    total->quickest = std::min(total->quickest, wall);
}

inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline double Sum(const std::vector<double>& values) { return std::accumulate(values.begin(), values.end(), 0.0); }
