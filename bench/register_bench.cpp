// The report register beside a 1,000,000-entry log (115 MB) with 10,000 rows:
// what the register adds to opening the log, as a ratio to one read of the
// log's bytes, and what one register change costs, as a ratio to one flushed
// write of the register file's bytes, both baselines measured in the same run.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "bench/bench_timing.h"
#include "logstore/log_change.h"
#include "platform/file.h"
#include "reports/register.h"

namespace {

constexpr int64_t kEntries = 1000000;
constexpr int32_t kRows = 10000;
const char* kFolder = "/tmp/ulmar-bench-register";

double ReadLogSeconds() {
    auto start = std::chrono::steady_clock::now();
    PlatformFile in;
    FileOpen("BENCH.ULM", FileAccess::ReadOnly, &in);
    std::vector<char> chunk(1 << 20);
    for (int64_t offset = 0;;) {
        size_t got = 0;
        FileReadAt(in, offset, chunk.data(), chunk.size(), &got);
        if (got == 0) break;
        offset += static_cast<int64_t>(got);
    }
    FileClose(&in);
    return SecondsSince(start);
}

// A new file of the register's bytes, written and flushed. Each run has its own
// name and all are deleted after the runs, so no deletion of the benchmark's
// own falls inside (or just before) a timed change.
double FlushedWriteSeconds(const std::string& bytes, const std::string& name) {
    auto start = std::chrono::steady_clock::now();
    PlatformFile out;
    FileOpen(name.c_str(), FileAccess::CreateTruncate, &out);
    FileWriteAt(out, 0, bytes.data(), bytes.size());
    FileFlush(out);
    FileClose(&out);
    return SecondsSince(start);
}

RegisterRow BenchRow(int32_t n) {
    RegisterRow row;
    row.Sinpo = "45444";
    row.SentDate = "08-03-2004";
    row.Via = SentVia::Post;
    row.Details = "Interval signal, news in English, a song about the sea; identification at " + std::to_string(n);
    return row;
}

void Prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    EnterFreshBenchFolder(kFolder);
    WriteBenchLog("BENCH.ULM", kEntries, PlainBenchEntry);
    WriteBenchLog("PLAIN.ULM", kEntries, PlainBenchEntry);
    LogStore log;
    OpenLog(log, "BENCH.ULM");
    ReportRegister reg;
    OpenRegister(reg, log);
    std::vector<RegisterRow> rows;
    for (int32_t i = 0; i < kRows; ++i) {
        rows.push_back(BenchRow(i));
        rows.back().Entry = 1 + i * static_cast<int32_t>(kEntries / kRows);
    }
    if (!StoreNewRows(reg, log, rows)) std::abort();
    CloseLog(log);
    ReadLogSeconds();  // the same warm cache for every measurement
}

void BM_OpenLogWithRegister(benchmark::State& state) {
    Prepare();
    double read = 0, with = 0, without = 0;
    for (auto _ : state) {
        read += ReadLogSeconds();
        for (bool withRegister : {false, true}) {
            LogStore log;
            ReportRegister reg;
            auto start = std::chrono::steady_clock::now();
            OpenLog(log, withRegister ? "BENCH.ULM" : "PLAIN.ULM");
            OpenRegister(reg, log);
            (withRegister ? with : without) += SecondsSince(start);
            if (withRegister && (reg.Rows.size() != static_cast<size_t>(kRows) || reg.Rows.back().Entry == 0)) {
                state.SkipWithError("the rows were not found");
            }
            CloseLog(log);
        }
    }
    state.counters["x_one_read_added"] = benchmark::Counter((with - without) / read);
    state.counters["read_ms"] = benchmark::Counter(read * 1000 / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_OpenLogWithRegister)->Iterations(5)->Unit(benchmark::kMillisecond)->UseRealTime();

// One change of a row in the middle of the register: its reply note.
bool StoreBenchChange(ReportRegister& reg, LogStore& log, const std::string& note) {
    RegisterRow row = BenchRow(0);
    row.ReplyNote = note;
    return StoreRow(reg, log, 1 + 5000 * (kEntries / kRows), row);
}

void BM_RegisterChange(benchmark::State& state) {
    Prepare();
    LogStore log;
    OpenLog(log, "BENCH.ULM");
    ReportRegister reg;
    OpenRegister(reg, log);
    std::string bytes = ReadFileBytes("BENCH.ULM.RRG");
    std::vector<double> plain, change;
    int n = 0;
    // A few untimed changes first: the first writes after the setup's meet the
    // disk still busy with it.
    for (int i = 0; i < 5; ++i) StoreBenchChange(reg, log, "warm " + std::to_string(i));
    for (auto _ : state) {
        plain.push_back(FlushedWriteSeconds(bytes, "PLAIN." + std::to_string(n)));
        std::string note = "change " + std::to_string(n++);
        auto start = std::chrono::steady_clock::now();
        if (!StoreBenchChange(reg, log, note)) state.SkipWithError("the row was not stored");
        change.push_back(SecondsSince(start));
    }
    CloseLog(log);
    for (int i = 0; i < n; ++i) FileDelete(("PLAIN." + std::to_string(i)).c_str());
    // A write on this machine now and then stalls for milliseconds (the disk's
    // own commit), in either run; the medians leave those out, the sums not.
    state.counters["x_flushed_write"] = benchmark::Counter(Median(change) / Median(plain));
    state.counters["x_flushed_write_sum"] = benchmark::Counter(Sum(change) / Sum(plain));
    state.counters["register_kb"] = benchmark::Counter(static_cast<double>(bytes.size()) / 1024);
}
BENCHMARK(BM_RegisterChange)->Iterations(40)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
}
