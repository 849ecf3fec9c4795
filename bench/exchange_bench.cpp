// Reports a listener sends, each reported as a ratio to the physical baseline
// measured in the same run: a filtered export of a million entries against
// one sequential read of the log, and an import of 100,000 lines against
// writing (and flushing) their records once.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/bench_timing.h"
#include "exchange/csv_export.h"
#include "exchange/csv_import.h"
#include "exchange/filtered_export.h"
#include "exchange/import_append.h"
#include "logstore/log_change.h"
#include "logstore/log_store.h"
#include "platform/file.h"

namespace {

constexpr size_t kBlock = 1 << 20;
constexpr int64_t kExportEntries = 1000000;
constexpr int64_t kImportLines = 100000;
const char* const kLogPath = "/tmp/ulmar-bench-reports.ULM";
const char* const kCsvPath = "/tmp/ulmar-bench-reports.CSV";
const char* const kImportLogPath = "/tmp/ulmar-bench-import.ULM";
const char* const kPlainPath = "/tmp/ulmar-bench-reports-plain.ULM";

// Dates run over 100 days, so one day is 1% of the log.
LogEntry SampleEntry(int64_t n) {
    static const int kDays[4] = {31, 28, 31, 30};
    int day = static_cast<int>(n % 100);
    int month = 0;
    while (day >= kDays[month]) day -= kDays[month++];
    return ReportBenchEntry(
        n, std::string(day < 9 ? "0" : "") + std::to_string(day + 1) + "-0" + std::to_string(month + 1) + "-2026");
}

// The log is held open without sharing, so it is read through its own handle.
void ReadOnce(PlatformFile file) {
    std::vector<char> buffer(kBlock);
    size_t got = 0;
    for (int64_t offset = 0; FileReadAt(file, offset, buffer.data(), kBlock, &got) && got > 0;
         offset += static_cast<int64_t>(got)) {
        benchmark::DoNotOptimize(buffer.data());
    }
}

void WriteOnce(const char* path, const std::vector<LogEntry>& records) {
    PlatformFile file;
    FileOpen(path, FileAccess::CreateTruncate, &file);
    const char* bytes = reinterpret_cast<const char*>(records.data());
    size_t size = records.size() * sizeof(LogEntry);
    for (size_t offset = 0; offset < size; offset += kBlock) {
        FileWriteAt(file, static_cast<int64_t>(offset), bytes + offset,
                    size - offset < kBlock ? size - offset : kBlock);
    }
    FileFlush(file);
    FileClose(&file);
}

ReportFilter Filter(const FilterTexts& texts) { return ReadReportFilter(texts, UpperCaseWestern).Filter; }

void RunFilteredExport(benchmark::State& state, const ReportFilter& filter) {
    WriteBenchLog(kLogPath, kExportEntries, SampleEntry);
    LogStore log;
    OpenLog(log, kLogPath);
    ExportReports(log, 1, kCsvPath, filter);  // warm the cache the same way for both
    ReadOnce(log.LogFile);
    Spent exported, read;
    int32_t count = 0;
    for (auto _ : state) {
        // Into a new file each time: emptying the last run's output (the
        // kernel freeing its pages) is no part of the export's own work.
        std::remove(kCsvPath);
        Measure(&exported, [&] { count = ExportReports(log, 1, kCsvPath, filter).Count; });
        Measure(&read, [&] { ReadOnce(log.LogFile); });
    }
    CloseLog(log);
    double runs = static_cast<double>(state.iterations());
    state.counters["matching_pct"] = 100.0 * count / static_cast<double>(kExportEntries);
    state.counters["export_ms"] = exported.wall / runs * 1000;
    state.counters["read_ms"] = read.wall / runs * 1000;
    state.counters["x_read"] = exported.wall / read.wall;
    state.counters["x_read_cpu"] = exported.cpu / read.cpu;
    state.counters["x_read_quickest"] = exported.quickest / read.quickest;
    std::remove(kLogPath);
    std::remove(kCsvPath);
}

// "Last month's catch": one day in a hundred.
void BM_FilteredExportOneDay(benchmark::State& state) {
    FilterTexts texts;
    texts.DateFrom = "15-02-2026";
    texts.DateTo = "15-02-2026";
    RunFilteredExport(state, Filter(texts));
}
BENCHMARK(BM_FilteredExportOneDay)->Iterations(10)->Unit(benchmark::kMillisecond);

// "One band": frequencies read as numbers on every entry, 1% in range.
void BM_FilteredExportOneBand(benchmark::State& state) {
    FilterTexts texts;
    texts.FrequencyFrom = "1000";
    texts.FrequencyTo = "1249.9";
    RunFilteredExport(state, Filter(texts));
}
BENCHMARK(BM_FilteredExportOneBand)->Iterations(10)->Unit(benchmark::kMillisecond);

// Every part of the filter checked on every entry, still 1% matching.
void BM_FilteredExportAllParts(benchmark::State& state) {
    FilterTexts texts;
    texts.Station = "station ";
    texts.DateFrom = "15-02-2026";
    texts.DateTo = "15-02-2026";
    texts.FrequencyFrom = "100";
    texts.FrequencyTo = "30000.5";
    RunFilteredExport(state, Filter(texts));
}
BENCHMARK(BM_FilteredExportAllParts)->Iterations(10)->Unit(benchmark::kMillisecond);

// The import as the program makes it: the file planned (read once, nothing
// kept), then read again and appended in blocks as one journaled change.
void BM_ImportHundredThousandLines(benchmark::State& state) {
    WriteBenchLog(kLogPath, kImportLines, SampleEntry);
    LogStore source;
    OpenLog(source, kLogPath);
    ExportLog(source, 1, kCsvPath);
    CloseLog(source);
    std::vector<LogEntry> records = PlanImport(ReadFileBytes(kCsvPath)).Records;  // also warms the cache
    Spent imported, written, planned;
    size_t added = 0;
    for (auto _ : state) {
        std::remove(kImportLogPath);
        LogStore log;
        OpenLog(log, kImportLogPath);
        Measure(&imported, [&] {
            ImportPlan plan;
            Measure(&planned, [&] { plan = ImportPlanForFile(kCsvPath); });
            AddImportedFile(log, kCsvPath, plan);
        });
        added = static_cast<size_t>(log.EntryCount);
        CloseLog(log);
        Measure(&written, [&] { WriteOnce(kPlainPath, records); });
    }
    double runs = static_cast<double>(state.iterations());
    state.counters["lines_added"] = static_cast<double>(added);
    state.counters["import_ms"] = imported.wall / runs * 1000;
    state.counters["plan_ms"] = planned.wall / runs * 1000;
    state.counters["write_ms"] = written.wall / runs * 1000;
    state.counters["x_write"] = imported.wall / written.wall;
    state.counters["x_write_cpu"] = imported.cpu / written.cpu;
    state.counters["x_write_quickest"] = imported.quickest / written.quickest;
    for (const char* path : {kLogPath, kCsvPath, kImportLogPath, kPlainPath}) std::remove(path);
}
BENCHMARK(BM_ImportHundredThousandLines)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
