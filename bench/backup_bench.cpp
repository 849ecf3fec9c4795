// The backup at exit of a 1,000,000-entry log (115 MB), as a ratio to one plain
// copy of the same file flushed to disk, measured in the same run: with N = 0
// (the verified copy D:NAME only) and with N = 10 (a generation too: a hard link
// to the checked copy where the volume allows, as on the disks measured here).
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "backup/backup.h"
#include "bench/bench_files.h"
#include "logstore/log_entry.h"
#include "platform/file.h"

namespace {

constexpr int64_t kEntries = 1000000;
const char* kFolder = "/tmp/ulmar-bench-backup";

// One plain copy: read in 1 MB blocks, written to a new file, flushed.
double PlainCopySeconds() {
    auto start = std::chrono::steady_clock::now();
    PlatformFile in, out;
    FileOpen("BENCH.ULM", FileAccess::ReadOnly, &in);
    FileOpen("PLAIN.COPY", FileAccess::CreateTruncate, &out);
    std::vector<char> chunk(1 << 20);
    for (int64_t offset = 0;;) {
        size_t got = 0;
        FileReadAt(in, offset, chunk.data(), chunk.size(), &got);
        if (got == 0) break;
        FileWriteAt(out, offset, chunk.data(), got);
        offset += static_cast<int64_t>(got);
    }
    FileFlush(out);
    FileClose(&in);
    FileClose(&out);
    double seconds = SecondsSince(start);
    FileDelete("PLAIN.COPY");
    return seconds;
}

void Prepare() {
    static bool done = false;
    if (done) return;
    done = true;
    EnterFreshBenchFolder(kFolder);
    WriteBenchLog("BENCH.ULM", kEntries, PlainBenchEntry);
    PlainCopySeconds();  // warm the cache of the log the same way for every measurement
}

void BM_BackUp(benchmark::State& state) {
    Prepare();
    BackupRequest request;
    request.LogPath = "BENCH.ULM";
    request.Drive = "E";
    request.Generations = static_cast<int>(state.range(0));
    double backup = 0, plain = 0;
    int64_t second = 0;
    for (auto _ : state) {
        plain += PlainCopySeconds();
        request.Now = UtcTime{2026, 12, 7, 19, 45, static_cast<int>(second++ % 60)};
        auto start = std::chrono::steady_clock::now();
        BackupResult result = BackUpLogSafely(request);
        backup += SecondsSince(start);
        if (!result.Ok) state.SkipWithError(result.Reason.c_str());
    }
    state.counters["x_plain_copy"] = benchmark::Counter(backup / plain);
    state.counters["plain_copy_ms"] = benchmark::Counter(plain * 1000 / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_BackUp)->Arg(0)->Arg(10)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::system((std::string("rm -rf ") + kFolder).c_str());
    return 0;
}
