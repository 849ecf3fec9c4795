// Browsing a log of 1,000,000 entries: the station search, deleting the first
// entry and filling a page of 40 lines. Each figure is also given as a ratio
// ("x_read", "x_rewrite") to one sequential read, or one in-place rewrite and
// flush, of the whole file, measured in the same run on the same file: paired
// with every round for the search and the deletion, once at start for the page.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "browse/entry_removal.h"
#include "browse/page_fill.h"
#include "browse/page_state.h"
#include "browse/station_search.h"
#include "logstore/log_change.h"
#include "logstore/log_store.h"

namespace {

constexpr int32_t kEntries = 1000000;
constexpr size_t kChunk = 1 << 20;
const char* const kLastStation = "Target Station";

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

LogEntry Numbered(int32_t n) {
    LogEntry entry;
    FillField(entry.Date, "06-12-2026");
    FillField(entry.Time, "19:30");
    FillField(entry.Freq, "9410");
    FillField(entry.Station, n == kEntries ? kLastStation : "Station " + std::to_string(n));
    FillField(entry.Location, "Somewhere");
    FillField(entry.Remarks, "remarks of entry " + std::to_string(n));
    return entry;
}

struct BenchLog {
    std::string Folder;
    std::string Path;
    LogStore Log;
    double ReadSeconds = 0;     // one sequential read of the whole file
    double RewriteSeconds = 0;  // reading it and writing it back in place, then flushing
};

void WriteLog(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "wb");
    for (int32_t n = 1; n <= kEntries; ++n) {
        LogEntry entry = Numbered(n);
        std::fwrite(&entry, sizeof entry, 1, out);
    }
    std::fclose(out);
}

double ReadWholeFile(LogStore& log, bool writeBack) {
    std::vector<char> chunk(kChunk);
    int64_t length = 0;
    FileSize(log.LogFile, &length);
    Clock::time_point start = Clock::now();
    for (int64_t offset = 0; offset < length;) {
        size_t got = 0;
        FileReadAt(log.LogFile, offset, chunk.data(), chunk.size(), &got);
        if (got == 0) break;
        if (writeBack) FileWriteAt(log.LogFile, offset, chunk.data(), got);
        offset += static_cast<int64_t>(got);
    }
    if (writeBack) FileFlush(log.LogFile);
    benchmark::DoNotOptimize(chunk.data());
    return Seconds(start);
}

BenchLog& TheLog() {
    static BenchLog* bench = [] {
        BenchLog* b = new BenchLog;
        char pattern[] = "/tmp/ulmar-bench-XXXXXX";
        b->Folder = mkdtemp(pattern);
        b->Path = b->Folder + "/BIG.ULM";
        WriteLog(b->Path);
        OpenLog(b->Log, b->Path);
        std::vector<double> reads, rewrites;
        for (int i = 0; i < 5; ++i) reads.push_back(ReadWholeFile(b->Log, false));
        for (int i = 0; i < 3; ++i) rewrites.push_back(ReadWholeFile(b->Log, true));
        b->ReadSeconds = Median(reads);
        b->RewriteSeconds = Median(rewrites);
        std::printf("one sequential read of %d entries: %.2f ms; one rewrite: %.2f ms\n", kEntries,
                    b->ReadSeconds * 1e3, b->RewriteSeconds * 1e3);
        return b;
    }();
    return *bench;
}

void Report(benchmark::State& state, double totalSeconds, const char* name, double reference) {
    double perIteration = totalSeconds / static_cast<double>(state.iterations());
    state.counters[name] = perIteration / reference;
}

void BM_SequentialRead(benchmark::State& state) {
    BenchLog& b = TheLog();
    double total = 0;
    for (auto _ : state) total += ReadWholeFile(b.Log, false);
    Report(state, total, "x_read", b.ReadSeconds);
}

// Each search is paired with a sequential read right after it (not timed), so
// the ratio compares the two under the same load of the machine.
void Search(benchmark::State& state, const std::string& typed, int32_t expected) {
    BenchLog& b = TheLog();
    double total = 0, reads = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        int32_t found = FindStation(b.Log, 1, typed, UpperCaseWestern);
        total += Seconds(start);
        if (found != expected) state.SkipWithError("unexpected search result");
        state.PauseTiming();
        reads += ReadWholeFile(b.Log, false);
        state.ResumeTiming();
    }
    state.counters["x_read"] = total / reads;
}

void BM_SearchOnlyMatchLast(benchmark::State& state) { Search(state, "target", kEntries); }

void BM_SearchNoMatch(benchmark::State& state) { Search(state, "no such station", 0); }

void BM_DeleteFirstEntry(benchmark::State& state) {
    BenchLog& b = TheLog();
    PageState page;
    ReportRegister reg;  // none beside the bench log: the deletion as it was
    double total = 0, rewrites = 0;
    for (auto _ : state) {
        OpenPage(page, b.Log.EntryCount, 1.6f);
        page.SelectedLine = 1;
        ChooseEntryToDelete(page);
        Clock::time_point start = Clock::now();
        bool ok = DeleteCurrentEntry(b.Log, page, reg);
        double seconds = Seconds(start);
        total += seconds;
        state.SetIterationTime(seconds);
        // Back to a million entries for the next round (not timed).
        b.Log.EntryBuffer = Numbered(kEntries + 1);
        if (!ok || !AppendEntry(b.Log)) state.SkipWithError("delete or append failed");
        rewrites += ReadWholeFile(b.Log, true);  // the paired reference
    }
    state.counters["x_rewrite"] = total / rewrites;
}

void FillAt(benchmark::State& state, int32_t pageTop) {
    BenchLog& b = TheLog();
    PageState page;
    OpenPage(page, b.Log.EntryCount, 1.6f);
    page.PageTop = std::min(pageTop, page.LastPageTop);
    std::vector<std::string> items;
    double total = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        FillPage(b.Log, page, &items);
        total += Seconds(start);
        benchmark::DoNotOptimize(items.data());
        if (items.size() != 40) state.SkipWithError("page not full");
    }
    Report(state, total, "x_read", b.ReadSeconds);
}

void BM_ShowPageStart(benchmark::State& state) { FillAt(state, 0); }
void BM_ShowPageMiddle(benchmark::State& state) { FillAt(state, kEntries / 2); }
void BM_ShowPageEnd(benchmark::State& state) { FillAt(state, kEntries); }

}  // namespace

BENCHMARK(BM_SequentialRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchOnlyMatchLast)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNoMatch)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteFirstEntry)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_ShowPageStart)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowPageMiddle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowPageEnd)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TheLog();
    benchmark::RunSpecifiedBenchmarks();
    BenchLog& b = TheLog();
    CloseLog(b.Log);
    std::remove(b.Path.c_str());
    rmdir(b.Folder.c_str());
    benchmark::Shutdown();
    return 0;
}
