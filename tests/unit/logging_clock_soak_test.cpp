// The clock left running: bitmaps loaded minus bitmaps deleted must stay the
// same however many ticks go by, midnights included.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "logging/clock_images.h"

namespace {

// Stands in for the image controls and the bitmap resources: counts loads and
// deletes, and catches a delete of a bitmap that is not alive or still shown.
struct FakeImages {
    std::map<intptr_t, std::string> Alive;  // handle -> resource name
    intptr_t Shown[kClockSlots] = {};
    intptr_t NextHandle = 1;
    long Loads = 0;
    long Deletes = 0;
    long BadDeletes = 0;
    long Titles = 0;
    std::string Title;
};

void* Load(void* context, const char* name) {
    FakeImages& f = *static_cast<FakeImages*>(context);
    intptr_t handle = f.NextHandle++;
    f.Alive[handle] = name;
    ++f.Loads;
    return reinterpret_cast<void*>(handle);
}

void* Current(void* context, int slot) {
    return reinterpret_cast<void*>(static_cast<FakeImages*>(context)->Shown[slot]);
}

void Show(void* context, int slot, void* bitmap) {
    static_cast<FakeImages*>(context)->Shown[slot] = reinterpret_cast<intptr_t>(bitmap);
}

void Destroy(void* context, void* bitmap) {
    FakeImages& f = *static_cast<FakeImages*>(context);
    intptr_t handle = reinterpret_cast<intptr_t>(bitmap);
    bool stillShown = false;
    for (intptr_t s : f.Shown) stillShown = stillShown || s == handle;
    if (f.Alive.erase(handle) != 1 || stillShown) ++f.BadDeletes;
    ++f.Deletes;
}

void SetTitle(void* context, const char* title) {
    FakeImages& f = *static_cast<FakeImages*>(context);
    f.Title = title;
    ++f.Titles;
}

ClockImageOps OpsFor(FakeImages* fake) { return {fake, Load, Current, Show, Destroy, SetTitle}; }

std::string ShownName(const FakeImages& f, int slot) {
    auto it = f.Alive.find(f.Shown[slot]);
    return it == f.Alive.end() ? "" : it->second;
}

// A UTC reading that moves on by whole seconds through real calendar dates.
struct SimClock {
    UtcTime Now;
    void Advance(int seconds) {
        static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        long s = Now.Second + seconds + 60L * (Now.Minute + 60L * Now.Hour);
        Now.Second = static_cast<int>(s % 60);
        Now.Minute = static_cast<int>(s / 60 % 60);
        Now.Hour = static_cast<int>(s / 3600 % 24);
        for (long days = s / 86400; days > 0; --days) {
            bool leap = (Now.Year % 4 == 0 && Now.Year % 100 != 0) || Now.Year % 400 == 0;
            int length = kDays[Now.Month - 1] + (Now.Month == 2 && leap ? 1 : 0);
            if (++Now.Day > length) {
                Now.Day = 1;
                if (++Now.Month > 12) {
                    Now.Month = 1;
                    ++Now.Year;
                }
            }
        }
    }
};

TEST(ClockSoak, LoadsMinusDeletesStaysConstantOverManyTicks) {
    FakeImages fake;
    ClockImageOps ops = OpsFor(&fake);
    // The window starts with "F0" in the digits and "FC" in the colon.
    const char* initial[kClockSlots] = {"F0", "F0", "FC", "F0", "F0"};
    for (int slot = 0; slot < kClockSlots; ++slot) Show(&fake, slot, Load(&fake, initial[slot]));
    const long baseline = fake.Loads - fake.Deletes;
    ASSERT_EQ(baseline, 5);

    ClockState clock;
    clock.ColonVisible = 0;
    ResetClockTexts(clock);
    SimClock sim;
    sim.Now.Year = 2027;
    sim.Now.Month = 2;
    sim.Now.Day = 27;
    sim.Now.Hour = 23;
    sim.Now.Minute = 58;
    long dateChanges = 0;
    std::string lastDate;
    const long kTicks = 150000;
    for (long tick = 0; tick < kTicks; ++tick) {
        // Mostly one second a tick, now and then a long jump so that many
        // midnights and month ends go by, and once the clock is set back.
        int step = tick % 499 == 0 ? 50021 : 1;
        if (tick == 70000) step = -1;
        if (step > 0) sim.Advance(step);
        if (step < 0) sim.Now.Hour = (sim.Now.Hour + 13) % 24;
        ApplyClockPlan(PlanClockUpdate(clock, sim.Now, "MYLOG.ULM"), ops);
        if (clock.ClockDate != lastDate) ++dateChanges;
        lastDate = clock.ClockDate;
        if (fake.Loads - fake.Deletes != baseline) {
            FAIL() << "bitmaps alive changed at tick " << tick << ": " << fake.Loads - fake.Deletes;
        }
    }
    EXPECT_EQ(fake.BadDeletes, 0);
    EXPECT_EQ(static_cast<long>(fake.Alive.size()), baseline);
    EXPECT_GT(dateChanges, 100);  // many midnights really went by
    EXPECT_EQ(fake.Titles, dateChanges);
    EXPECT_GT(fake.Loads, kTicks);  // every tick swaps the colon at least
    // What the images show matches the time the clock keeps.
    for (int slot : {kHourTens, kHourUnits, kMinuteTens, kMinuteUnits}) {
        EXPECT_EQ(ShownName(fake, slot), std::string("F") + clock.ClockTime[static_cast<size_t>(slot)]);
    }
    EXPECT_EQ(ShownName(fake, kColonSlot), clock.ColonVisible ? "FC" : "FB");
    EXPECT_NE(fake.Title.find("Date: " + clock.ClockDate.substr(0, 2)), std::string::npos);

    // Closing the window gives every bitmap back.
    ReleaseClockImages(ops);
    EXPECT_EQ(fake.Loads - fake.Deletes, 0);
    EXPECT_TRUE(fake.Alive.empty());
    EXPECT_EQ(fake.BadDeletes, 0);
}

TEST(ClockSoak, MissingBitmapsAreNeverDeleted) {
    FakeImages fake;
    ClockImageOps ops = OpsFor(&fake);
    ops.Load = [](void*, const char*) -> void* { return nullptr; };  // resources not built in
    ClockState clock;
    ResetClockTexts(clock);
    UtcTime now;
    now.Year = 2026;
    now.Month = 12;
    now.Day = 6;
    now.Hour = 12;
    now.Minute = 59;
    ApplyClockPlan(PlanClockUpdate(clock, now, "L"), ops);
    ReleaseClockImages(ops);
    EXPECT_EQ(fake.Deletes, 0);
    EXPECT_EQ(fake.Titles, 1);
}

}  // namespace
