// Costs of the logging window's work without the window: one clock tick
// (planning it and applying it to counting stand-ins for the images) and one
// saved report (filling the record, appending it and flushing the file).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "logging/clock_images.h"
#include "logging/recent_rows.h"
#include "logging/report_save.h"
#include "logstore/log_change.h"

namespace {

struct Images {
    long Alive = 0;
    void* Shown[kClockSlots] = {};
    intptr_t Next = 1;
};

void* Load(void* c, const char*) {
    Images& images = *static_cast<Images*>(c);
    ++images.Alive;
    return reinterpret_cast<void*>(images.Next++);
}
void* Current(void* c, int slot) { return static_cast<Images*>(c)->Shown[slot]; }
void Show(void* c, int slot, void* bitmap) { static_cast<Images*>(c)->Shown[slot] = bitmap; }
void Destroy(void* c, void*) { --static_cast<Images*>(c)->Alive; }
void SetTitle(void*, const char*) {}

// One tick a second, the minute turning every 60 ticks and the date every 1440 minutes.
void BM_ClockTick(benchmark::State& state) {
    Images images;
    ClockImageOps ops = {&images, Load, Current, Show, Destroy, SetTitle};
    ClockState clock;
    UtcTime now;
    now.Year = 2026;
    now.Month = 12;
    now.Day = 6;
    long tick = 0;
    for (auto _ : state) {
        long minutes = tick / 60;
        now.Minute = static_cast<int>(minutes % 60);
        now.Hour = static_cast<int>(minutes / 60 % 24);
        now.Day = 1 + static_cast<int>(minutes / 1440 % 28);
        ApplyClockPlan(PlanClockUpdate(clock, now, "C:\\Logs\\MYLOG.ULM"), ops);
        ++tick;
    }
    if (images.Alive > kClockSlots) state.SkipWithError("bitmaps leaked");
}
BENCHMARK(BM_ClockTick);

// Filling, appending and flushing one report, and building its list row.
void BM_SaveReport(benchmark::State& state) {
    const std::string path = "/tmp/ulmar-bench-logging.ULM";
    std::remove(path.c_str());
    LogStore log;
    if (!OpenLog(log, path)) {
        state.SkipWithError("cannot open the log");
        return;
    }
    ClockState clock;
    clock.ClockDate = "06-12-2026";
    clock.ClockTime = "19:30";
    ReportTexts texts = {"9410", "Radio Alpha", "Tirana", "SINPO 45444"};
    for (auto _ : state) {
        if (SaveReport(log, texts, clock) != SaveResult::Saved) state.SkipWithError("save failed");
        benchmark::DoNotOptimize(RecentReportRow(log.EntryBuffer));
    }
    state.counters["entries"] = log.EntryCount;
    CloseLog(log);
    std::remove(path.c_str());
}
BENCHMARK(BM_SaveReport)->Iterations(2000);

}  // namespace

BENCHMARK_MAIN();
