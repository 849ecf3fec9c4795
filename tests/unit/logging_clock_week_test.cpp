// The logging window's clock left running for a week of one-second ticks, at
// full speed: at every tick the images show the time the clock keeps, the
// date follows the calendar over month and leap-day ends, the title changes
// only at midnight, and the number of bitmaps alive never moves.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <unordered_set>

#include "logging/clock_images.h"
#include "logging/utc_clock.h"

namespace {

struct CountingImages {
    std::unordered_set<intptr_t> Alive;
    intptr_t Shown[kClockSlots] = {};
    std::string ShownName[kClockSlots];
    intptr_t Next = 1;
    long BadDeletes = 0;
    long Titles = 0;
};

CountingImages* Of(void* context) { return static_cast<CountingImages*>(context); }

void* Load(void* context, const char*) {
    intptr_t handle = Of(context)->Next++;
    Of(context)->Alive.insert(handle);
    return reinterpret_cast<void*>(handle);
}
void* Current(void* context, int slot) { return reinterpret_cast<void*>(Of(context)->Shown[slot]); }
void Show(void* context, int slot, void* bitmap) { Of(context)->Shown[slot] = reinterpret_cast<intptr_t>(bitmap); }
void Destroy(void* context, void* bitmap) {
    intptr_t handle = reinterpret_cast<intptr_t>(bitmap);
    CountingImages& f = *Of(context);
    bool stillShown = false;
    for (intptr_t s : f.Shown) stillShown = stillShown || s == handle;
    if (f.Alive.erase(handle) != 1 || stillShown) ++f.BadDeletes;
}
void SetTitle(void* context, const char*) { ++Of(context)->Titles; }

void NextSecond(UtcTime* t) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (++t->Second < 60) return;
    t->Second = 0;
    if (++t->Minute < 60) return;
    t->Minute = 0;
    if (++t->Hour < 24) return;
    t->Hour = 0;
    bool leap = (t->Year % 4 == 0 && t->Year % 100 != 0) || t->Year % 400 == 0;
    int length = kDays[t->Month - 1] + (t->Month == 2 && leap ? 1 : 0);
    if (++t->Day <= length) return;
    t->Day = 1;
    if (++t->Month <= 12) return;
    t->Month = 1;
    ++t->Year;
}

}  // namespace

TEST(ClockWeek, AWeekOfTicksKeepsImagesTextsAndBitmapsRight) {
    CountingImages images;
    ClockImageOps ops = {&images, Load, Current, Show, Destroy, SetTitle};
    const char* initial[kClockSlots] = {"F0", "F0", "FC", "F0", "F0"};
    for (int slot = 0; slot < kClockSlots; ++slot) {
        Show(&images, slot, Load(&images, initial[slot]));
        images.ShownName[slot] = initial[slot];
    }
    ClockState clock;
    ResetClockTexts(clock);
    // 25 February 2028, 23:00:00: the week crosses the leap day and a month end.
    UtcTime now;
    now.Year = 2028;
    now.Month = 2;
    now.Day = 25;
    now.Hour = 23;
    const long kWeek = 7L * 24 * 3600;
    int lastColon = -1;
    for (long tick = 0; tick < kWeek; ++tick) {
        ClockPlan plan = PlanClockUpdate(clock, now, "D:\\LOGS\\NIGHT.ULM");
        for (int i = 0; i < plan.SwapCount; ++i) images.ShownName[plan.Swaps[i].Slot] = plan.Swaps[i].Name;
        ApplyClockPlan(plan, ops);
        std::string time = TimeText(now);
        ASSERT_EQ(clock.ClockTime, time) << "tick " << tick;
        ASSERT_EQ(clock.ClockDate, WorkingDate(now)) << "tick " << tick;
        for (int slot : {kHourTens, kHourUnits, kMinuteTens, kMinuteUnits}) {
            ASSERT_EQ(images.ShownName[slot], std::string("F") + time[static_cast<size_t>(slot)]) << "tick " << tick;
        }
        ASSERT_NE(clock.ColonVisible, lastColon) << "the colon blinks at every tick, tick " << tick;
        lastColon = clock.ColonVisible;
        ASSERT_EQ(images.ShownName[kColonSlot], clock.ColonVisible ? "FC" : "FB");
        ASSERT_EQ(images.Alive.size(), 5u) << "bitmaps alive at tick " << tick;
        NextSecond(&now);
    }
    EXPECT_EQ(images.BadDeletes, 0);
    // The first tick and seven midnights set the title; no other tick does.
    EXPECT_EQ(images.Titles, 8);
    EXPECT_EQ(clock.ClockDate, "03-03-2028");
    EXPECT_EQ(clock.ClockTime, "22:59");
    ReleaseClockImages(ops);
    EXPECT_TRUE(images.Alive.empty());
    EXPECT_EQ(images.BadDeletes, 0);
}
