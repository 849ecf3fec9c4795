// The schedule on a generated 20,000-line file with a README.TXT beside it:
// loading it (also as a ratio to one read of the file's bytes in the same
// run), one lookup, and the memory the loaded schedule holds, counted here by
// every allocation made while loading.
#include <benchmark/benchmark.h>

#include <sys/stat.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "bench/bench_files.h"
#include "platform/file.h"
#include "schedule/on_air.h"

// Live heap bytes of the whole program, kept in a header before each block.
namespace {
std::atomic<int64_t> liveBytes{0};
constexpr size_t kHeader = alignof(std::max_align_t);
}  // namespace

void* operator new(size_t size) {
    char* block = static_cast<char*>(std::malloc(size + kHeader));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<size_t*>(block) = size;
    liveBytes += static_cast<int64_t>(size);
    return block + kHeader;
}
void* operator new[](size_t size) { return operator new(size); }
void operator delete(void* pointer) noexcept {
    if (!pointer) return;
    char* block = static_cast<char*>(pointer) - kHeader;
    liveBytes -= static_cast<int64_t>(*reinterpret_cast<size_t*>(block));
    std::free(block);
}
void operator delete[](void* pointer) noexcept { operator delete(pointer); }
void operator delete(void* pointer, size_t) noexcept { operator delete(pointer); }
void operator delete[](void* pointer, size_t) noexcept { operator delete(pointer); }

namespace {

constexpr int kLines = 20000;
const std::string kFolder = "/tmp/ulmar-bench-schedule";
const std::string kPath = kFolder + "/sked-bench.csv";

const char* const kDays[] = {"",      "",     "",     "",      "",      "",   "",    "",
                             "Mo-Fr", "SaSu", "1245", "Tu,Fr", "We-Mo", "Su", "irr", "alt"};
const char* const kPersistence[] = {"1", "1", "1", "", "0", "2", "4", "5", "6", "8", "91"};
const char* const kCountries[] = {"ABC", "DEF", "GHI", "JKL", "MNO", "PQR", "STU", "VWX", "YZ", "Q"};
const int kBands[][2] = {{5900, 6200},   {7200, 7600},   {9400, 9900},  {11600, 12100},
                         {13570, 13870}, {15100, 15800}, {17480, 17900}};

// Seven lines in ten on the broadcast bands' 5 kHz channels, the rest anywhere
// from 150 kHz up, some with a decimal; station names of 8 to 24 characters.
std::string GeneratedLine(std::mt19937& random, int n) {
    std::string khz;
    if (random() % 10 < 7) {
        const int* band = kBands[random() % 7];
        khz = std::to_string(band[0] + 5 * static_cast<int>(random() % ((band[1] - band[0]) / 5 + 1)));
    } else {
        khz = std::to_string(150 + random() % 29850);
        if (random() % 4 == 0) khz += "." + std::to_string(random() % 10);
    }
    int start = static_cast<int>(random() % 96) * 15, length = 15 + static_cast<int>(random() % 16) * 15;
    int end = (start + length) % 1440;
    char time[16];
    std::snprintf(time, sizeof time, "%02d%02d-%02d%02d", start / 60, start % 60, end / 60, end % 60);
    const char* p = kPersistence[random() % 11];
    std::string dates = std::string(p) == "6" ? "0112;3101" : (random() % 8 == 0 ? "0401;2510[0325]" : ";");
    std::string station = (random() % 3 == 0 ? "Radio Example International " : "Station ") + std::to_string(n);
    return khz + ";" + time + ";" + kDays[random() % 16] + ";" + kCountries[random() % 10] + ";" +
           station.substr(0, 24) + ";E;Eu;" + (random() % 2 ? "a" : "/DEF-b") + ";" + p + ";" + dates;
}

std::string GeneratedReadme() {
    std::string text = "I) Language codes\r\nE      English\r\nII) Country codes\r\n";
    for (const char* country : kCountries) text += std::string(country) + "   Land of " + country + "\r\n";
    text += "IV) Transmitter site codes\r\n";
    for (const char* country : kCountries) {
        text += std::string("   ") + country + ": Main Hill 10N10-10E10\r\n";
        for (char code = 'a'; code <= 'z'; ++code)
            text += std::string("        ") + code + "-Site " + code + " 10N10-10E10\r\n";
    }
    return text;
}

void WriteText(const std::string& path, const std::string& text) {
    PlatformFile file;
    FileOpen(path.c_str(), FileAccess::CreateTruncate, &file);
    FileWriteAt(file, 0, text.data(), text.size());
    FileClose(&file);
}

// Writes the files once; returns the seconds of one read of the schedule's bytes.
double PrepareAndMeasureRead() {
    static double readSeconds = 0;
    if (readSeconds > 0) return readSeconds;
    ::mkdir(kFolder.c_str(), 0755);
    std::mt19937 random(12);
    std::string text =
        "kHz:75;Time(UTC):93;Days:59;ITU:49;Station:201;Lng:49;Target:62;Remarks:135;P:35;Start:60;Stop:60;\r\n";
    for (int n = 1; n <= kLines; ++n) text += GeneratedLine(random, n) + "\r\n";
    WriteText(kPath, text);
    WriteText(kFolder + "/README.TXT", GeneratedReadme());
    std::string bytes;
    double best = 1e9;
    for (int i = 0; i < 20; ++i) {  // the page cache warm, as for every load measured
        auto start = std::chrono::steady_clock::now();
        FileReadAll(kPath.c_str(), &bytes, kScheduleMaxBytes);
        benchmark::DoNotOptimize(bytes.data());
        best = std::min(best, SecondsSince(start));
    }
    return readSeconds = best;
}

void BM_LoadSchedule(benchmark::State& state) {
    double readSeconds = PrepareAndMeasureRead();
    double total = 0;
    int64_t held = 0, peak = 0;
    for (auto _ : state) {
        int64_t before = liveBytes;
        auto start = std::chrono::steady_clock::now();
        Schedule schedule;
        std::string reason;
        if (!LoadSchedule(kPath.c_str(), &schedule, &reason)) state.SkipWithError(reason.c_str());
        total += SecondsSince(start);
        held = liveBytes - before;
        peak = std::max<int64_t>(peak, static_cast<int64_t>(ScheduleBytesHeld(schedule)));
        state.counters["lines"] = static_cast<double>(schedule.Lines.size());
    }
    double seconds = total / static_cast<double>(state.iterations());
    state.counters["ms"] = seconds * 1000;
    state.counters["x_read"] = seconds / readSeconds;
    state.counters["read_ms"] = readSeconds * 1000;
    state.counters["held_MB"] = static_cast<double>(held) / (1 << 20);
    state.counters["own_count_MB"] = static_cast<double>(peak) / (1 << 20);
}
BENCHMARK(BM_LoadSchedule)->Unit(benchmark::kMillisecond);

// One lookup at a minute in June, on a crowded channel (arg 1: within 5 kHz)
// or exactly (arg 0).
void BM_LookUp(benchmark::State& state) {
    PrepareAndMeasureRead();
    Schedule schedule;
    std::string reason;
    LoadSchedule(kPath.c_str(), &schedule, &reason);
    ScheduleTime when{2026, 6, 15, 19, 30};
    std::vector<uint32_t> found;
    int within = state.range(0) ? 5 : 0;
    for (auto _ : state) {
        LookUpCandidates(schedule, "9500", within, when, &found);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["candidates"] = static_cast<double>(found.size());
}
BENCHMARK(BM_LookUp)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
