// Record-layer costs, each also reported as a ratio to the physical baseline of
// the same file measured in the same run: reading its bytes once, and
// rewriting them once (then flushing), with large buffered calls.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "logstore/log_change.h"
#include "logstore/log_store.h"
#include "platform/file.h"

namespace {

constexpr size_t kBlock = 1 << 20;

std::string BenchPath(int64_t entries) { return "/tmp/ulmar-bench-" + std::to_string(entries) + ".ULM"; }

struct Baseline {
    double ReadSeconds;
    double RewriteSeconds;
};

// Reads the whole file once, then writes the same bytes back once and flushes.
Baseline MeasureBaseline(const std::string& path) {
    PlatformFile file;
    FileOpen(path.c_str(), FileAccess::ReadWrite, &file);
    int64_t size = 0;
    FileSize(file, &size);
    std::vector<char> buffer(kBlock);
    auto start = std::chrono::steady_clock::now();
    for (int64_t offset = 0; offset < size; offset += kBlock) {
        size_t got = 0;
        FileReadAt(file, offset, buffer.data(), kBlock, &got);
        benchmark::DoNotOptimize(buffer.data());
    }
    double read = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    for (int64_t offset = 0; offset < size; offset += kBlock) {
        size_t got = 0;
        FileReadAt(file, offset, buffer.data(), kBlock, &got);
        FileWriteAt(file, offset, buffer.data(), got);
    }
    FileFlush(file);
    double rewrite = SecondsSince(start);
    FileClose(&file);
    return {read, rewrite};
}

// One log file and its baseline for each size, made once.
const Baseline& Prepare(int64_t entries) {
    static std::map<int64_t, Baseline> baselines;
    auto found = baselines.find(entries);
    if (found != baselines.end()) return found->second;
    WriteBenchLog(BenchPath(entries).c_str(), entries, PlainBenchEntry);
    MeasureBaseline(BenchPath(entries));  // warm the cache the same way for every measurement
    return baselines[entries] = MeasureBaseline(BenchPath(entries));
}

void ReportRatio(benchmark::State& state, double seconds, double baseline, const char* name) {
    state.counters[name] = benchmark::Counter(seconds / baseline);
}

void BM_OpenLog(benchmark::State& state) {
    const Baseline& base = Prepare(state.range(0));
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        LogStore log;
        OpenLog(log, BenchPath(state.range(0)));
        benchmark::DoNotOptimize(log.EntryCount);
        CloseLog(log);
        total += SecondsSince(start);
    }
    ReportRatio(state, total / static_cast<double>(state.iterations()), base.ReadSeconds, "x_read");
}
BENCHMARK(BM_OpenLog)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

void BM_Append1000Flushed(benchmark::State& state) {
    const Baseline& base = Prepare(1000000);
    std::string path = "/tmp/ulmar-bench-append.ULM";
    double total = 0;
    for (auto _ : state) {
        std::remove(path.c_str());
        LogStore log;
        OpenLog(log, path);
        auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 1000; ++i) {
            log.EntryBuffer = PlainBenchEntry(i);
            AppendEntry(log);
        }
        total += SecondsSince(start);
        CloseLog(log);
    }
    std::remove(path.c_str());
    ReportRatio(state, total / static_cast<double>(state.iterations()), base.RewriteSeconds, "x_rewrite_1M");
}
BENCHMARK(BM_Append1000Flushed)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_ReadEveryEntry(benchmark::State& state) {
    const Baseline& base = Prepare(state.range(0));
    LogStore log;
    OpenLog(log, BenchPath(state.range(0)));
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (int32_t n = 1; n <= log.EntryCount; ++n) ReadEntry(log, n);
        benchmark::DoNotOptimize(log.EntryBuffer);
        total += SecondsSince(start);
    }
    CloseLog(log);
    ReportRatio(state, total / static_cast<double>(state.iterations()), base.ReadSeconds, "x_read");
}
BENCHMARK(BM_ReadEveryEntry)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_RemoveFirstEntry(benchmark::State& state) {
    const Baseline& base = Prepare(state.range(0));
    LogStore log;
    OpenLog(log, BenchPath(state.range(0)));
    double total = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        RemoveEntry(log, 1);
        total += SecondsSince(start);
        state.PauseTiming();
        log.EntryBuffer = PlainBenchEntry(0);
        AppendEntry(log);  // back to the same size for the next round
        state.ResumeTiming();
    }
    CloseLog(log);
    ReportRatio(state, total / static_cast<double>(state.iterations()), base.RewriteSeconds, "x_rewrite");
}
BENCHMARK(BM_RemoveFirstEntry)->Arg(100000)->Arg(1000000)->Iterations(3)->Unit(benchmark::kMillisecond);

void BM_Baseline(benchmark::State& state) {
    const Baseline& base = Prepare(state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(base.ReadSeconds);
    state.counters["read_ms"] = base.ReadSeconds * 1000;
    state.counters["rewrite_ms"] = base.RewriteSeconds * 1000;
}
BENCHMARK(BM_Baseline)->Arg(1000)->Arg(100000)->Arg(1000000)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
