// ADIF both ways, each reported as a ratio to the physical baseline measured
// in the same run: the export of a million entries against writing the same
// bytes (and flushing them) once, and the import of 100,000 records against
// writing (and flushing) their log records once.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/bench_timing.h"
#include "exchange/adif_export.h"
#include "exchange/adif_import.h"
#include "logstore/log_store.h"
#include "platform/file.h"

namespace {

constexpr size_t kBlock = 1 << 20;
constexpr int64_t kExportEntries = 1000000;
constexpr int64_t kImportRecords = 100000;
const char* const kLogPath = "/tmp/ulmar-bench-adif.ULM";
const char* const kAdifPath = "/tmp/ulmar-bench-adif.ADI";
const char* const kImportLogPath = "/tmp/ulmar-bench-adif-import.ULM";
const char* const kPlainPath = "/tmp/ulmar-bench-adif-plain";

// One report in ten has a name beyond ASCII, so its exact text goes along.
LogEntry AdifEntry(int64_t n) {
    LogEntry entry = ReportBenchEntry(n, "1" + std::to_string(n % 9) + "-0" + std::to_string(1 + n % 9) + "-2026");
    if (n % 10 == 3)
        FillField(entry.Station,
                  "R\xE1"
                  "dio " +
                      std::to_string(n));
    return entry;
}

void WriteBytesOnce(const char* path, const char* bytes, size_t size) {
    PlatformFile file;
    FileOpen(path, FileAccess::CreateTruncate, &file);
    for (size_t offset = 0; offset < size; offset += kBlock) {
        FileWriteAt(file, static_cast<int64_t>(offset), bytes + offset,
                    size - offset < kBlock ? size - offset : kBlock);
    }
    FileFlush(file);
    FileClose(&file);
}

void BM_AdifExportMillionEntries(benchmark::State& state) {
    WriteBenchLog(kLogPath, kExportEntries, AdifEntry);
    LogStore log;
    OpenLog(log, kLogPath);
    ExportAdif(log, 1, kAdifPath, ReportFilter(), UtcTime(), kLogPath);  // warms the cache the same way for both
    std::string bytes = ReadFileBytes(kAdifPath);
    Spent exported, written;
    int32_t count = 0;
    for (auto _ : state) {
        std::remove(kAdifPath);
        Measure(&exported,
                [&] { count = ExportAdif(log, 1, kAdifPath, ReportFilter(), UtcTime(), kLogPath).Written.Count; });
        std::remove(kPlainPath);
        Measure(&written, [&] { WriteBytesOnce(kPlainPath, bytes.data(), bytes.size()); });
    }
    CloseLog(log);
    double runs = static_cast<double>(state.iterations());
    state.counters["records"] = count;
    state.counters["file_mb"] = static_cast<double>(bytes.size()) / 1e6;
    state.counters["export_ms"] = exported.wall / runs * 1000;
    state.counters["write_ms"] = written.wall / runs * 1000;
    state.counters["x_write"] = exported.wall / written.wall;
    state.counters["x_write_cpu"] = exported.cpu / written.cpu;
    state.counters["x_write_quickest"] = exported.quickest / written.quickest;
    for (const char* path : {kLogPath, kAdifPath, kPlainPath}) std::remove(path);
}
BENCHMARK(BM_AdifExportMillionEntries)->Iterations(5)->Unit(benchmark::kMillisecond);

// The import as the program makes it: the file planned (read once, nothing
// kept), then read again and appended in blocks as one journaled change, the
// register values gathered in the same reading.
void BM_AdifImportHundredThousandRecords(benchmark::State& state) {
    WriteBenchLog(kLogPath, kImportRecords, AdifEntry);
    std::string logBytes = ReadFileBytes(kLogPath);
    LogStore source;
    OpenLog(source, kLogPath);
    ExportAdif(source, 1, kAdifPath, ReportFilter(), UtcTime(), kLogPath);
    CloseLog(source);
    Spent imported, planned, written;
    size_t added = 0;
    for (auto _ : state) {
        std::remove(kImportLogPath);
        LogStore log;
        OpenLog(log, kImportLogPath);
        ReportRegister reg;
        OpenRegister(reg, log);
        Measure(&imported, [&] {
            ImportPlan plan;
            Measure(&planned, [&] { plan = AdifImportPlanForFile(kAdifPath); });
            bool rowsStored = false;
            AddImportedAdifReports(log, reg, kAdifPath, plan, &rowsStored);
        });
        added = static_cast<size_t>(log.EntryCount);
        CloseLog(log);
        std::remove(kPlainPath);
        Measure(&written, [&] { WriteBytesOnce(kPlainPath, logBytes.data(), logBytes.size()); });
    }
    double runs = static_cast<double>(state.iterations());
    state.counters["records_added"] = static_cast<double>(added);
    state.counters["import_ms"] = imported.wall / runs * 1000;
    state.counters["plan_ms"] = planned.wall / runs * 1000;
    state.counters["write_ms"] = written.wall / runs * 1000;
    state.counters["x_write"] = imported.wall / written.wall;
    state.counters["x_write_cpu"] = imported.cpu / written.cpu;
    state.counters["x_write_quickest"] = imported.quickest / written.quickest;
    for (const char* path : {kLogPath, kAdifPath, kImportLogPath, kPlainPath}) std::remove(path);
}
BENCHMARK(BM_AdifImportHundredThousandRecords)->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
