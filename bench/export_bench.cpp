// The CSV export of a large log, reported as a ratio to writing the same
// number of bytes with large buffered writes, measured in the same run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "exchange/csv_export.h"
#include "logstore/log_change.h"
#include "logstore/log_store.h"
#include "platform/file.h"

namespace {

constexpr size_t kBlock = 1 << 20;
constexpr int64_t kEntries = 1000000;
const char* const kLogPath = "/tmp/ulmar-bench-export.ULM";
const char* const kCsvPath = "/tmp/ulmar-bench-export.CSV";
const char* const kPlainPath = "/tmp/ulmar-bench-export-plain.CSV";

LogEntry SampleEntry(int64_t n) {
    return ReportBenchEntry(n, (n % 28 < 9 ? "0" : "") + std::to_string(n % 28 + 1) + "-" + (n % 12 < 9 ? "0" : "") +
                                   std::to_string(n % 12 + 1) + "-2026");
}

// Creates `path` and writes `bytes` bytes to it in blocks of a megabyte.
double WritePlain(const char* path, int64_t bytes) {
    std::vector<char> block(kBlock, 'x');
    auto start = std::chrono::steady_clock::now();
    PlatformFile file;
    FileOpen(path, FileAccess::CreateTruncate, &file);
    for (int64_t offset = 0; offset < bytes; offset += static_cast<int64_t>(kBlock)) {
        int64_t left = bytes - offset;
        size_t size = left < static_cast<int64_t>(kBlock) ? static_cast<size_t>(left) : kBlock;
        FileWriteAt(file, offset, block.data(), size);
    }
    FileClose(&file);
    return SecondsSince(start);
}

int64_t SizeOf(const char* path) {
    PlatformFile file;
    int64_t size = 0;
    if (FileOpen(path, FileAccess::ReadOnly, &file)) FileSize(file, &size);
    FileClose(&file);
    return size;
}

void BM_ExportMillionEntries(benchmark::State& state) {
    WriteBenchLog(kLogPath, kEntries, SampleEntry);
    LogStore log;
    OpenLog(log, kLogPath);
    ExportLog(log, 1, kCsvPath);  // warm the cache the same way for both
    int64_t bytes = SizeOf(kCsvPath);
    WritePlain(kPlainPath, bytes);
    double exportTotal = 0, plainTotal = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        ExportResult result = ExportLog(log, 1, kCsvPath);
        exportTotal += SecondsSince(start);
        benchmark::DoNotOptimize(result.Count);
        plainTotal += WritePlain(kPlainPath, bytes);
    }
    CloseLog(log);
    double runs = static_cast<double>(state.iterations());
    state.counters["export_ms"] = exportTotal / runs * 1000;
    state.counters["plain_write_ms"] = plainTotal / runs * 1000;
    state.counters["csv_MB"] = static_cast<double>(bytes) / 1e6;
    state.counters["x_plain_write"] = exportTotal / plainTotal;
    std::remove(kLogPath);
    std::remove(kCsvPath);
    std::remove(kPlainPath);
}
BENCHMARK(BM_ExportMillionEntries)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
