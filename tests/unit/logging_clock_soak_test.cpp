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
    std::map<intptr_t, std::string> alive;  // handle -> resource name
    intptr_t shown[kClockSlots] = {};
    intptr_t nextHandle = 1;
    long loads = 0;
    long deletes = 0;
    long badDeletes = 0;
    long titles = 0;
    std::string title;
};

void* Load(void* context, const char* name) {
    FakeImages& f = *static_cast<FakeImages*>(context);
    intptr_t handle = f.nextHandle++;
    f.alive[handle] = name;
    ++f.loads;
    return reinterpret_cast<void*>(handle);
}

void* Current(void* context, int slot) {
    return reinterpret_cast<void*>(static_cast<FakeImages*>(context)->shown[slot]);
}

void Show(void* context, int slot, void* bitmap) {
    static_cast<FakeImages*>(context)->shown[slot] = reinterpret_cast<intptr_t>(bitmap);
}

void Destroy(void* context, void* bitmap) {
    FakeImages& f = *static_cast<FakeImages*>(context);
    intptr_t handle = reinterpret_cast<intptr_t>(bitmap);
    bool stillShown = false;
    for (intptr_t s : f.shown) stillShown = stillShown || s == handle;
    if (f.alive.erase(handle) != 1 || stillShown) ++f.badDeletes;
    ++f.deletes;
}

void SetTitle(void* context, const char* title) {
    FakeImages& f = *static_cast<FakeImages*>(context);
    f.title = title;
    ++f.titles;
}

ClockImageOps OpsFor(FakeImages* fake) { return {fake, Load, Current, Show, Destroy, SetTitle}; }

std::string ShownName(const FakeImages& f, int slot) {
    auto it = f.alive.find(f.shown[slot]);
    return it == f.alive.end() ? "" : it->second;
}

// A UTC reading that moves on by whole seconds through real calendar dates.
struct SimClock {
    UtcTime now;
    void Advance(int seconds) {
        static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        long s = now.Second + seconds + 60L * (now.Minute + 60L * now.Hour);
        now.Second = static_cast<int>(s % 60);
        now.Minute = static_cast<int>(s / 60 % 60);
        now.Hour = static_cast<int>(s / 3600 % 24);
        for (long days = s / 86400; days > 0; --days) {
            bool leap = (now.Year % 4 == 0 && now.Year % 100 != 0) || now.Year % 400 == 0;
            int length = kDays[now.Month - 1] + (now.Month == 2 && leap ? 1 : 0);
            if (++now.Day > length) {
                now.Day = 1;
                if (++now.Month > 12) {
                    now.Month = 1;
                    ++now.Year;
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
    const long baseline = fake.loads - fake.deletes;
    ASSERT_EQ(baseline, 5);

    ClockState clock;
    clock.ColonVisible = 0;
    ResetClockTexts(clock);
    SimClock sim;
    sim.now.Year = 2027;
    sim.now.Month = 2;
    sim.now.Day = 27;
    sim.now.Hour = 23;
    sim.now.Minute = 58;
    long dateChanges = 0;
    std::string lastDate;
    const long kTicks = 150000;
    for (long tick = 0; tick < kTicks; ++tick) {
        // Mostly one second a tick, now and then a long jump so that many
        // midnights and month ends go by, and once the clock is set back.
        int step = tick % 499 == 0 ? 50021 : 1;
        if (tick == 70000) step = -1;
        if (step > 0) sim.Advance(step);
        if (step < 0) sim.now.Hour = (sim.now.Hour + 13) % 24;
        ApplyClockPlan(PlanClockUpdate(clock, sim.now, "MYLOG.ULM"), ops);
        if (clock.ClockDate != lastDate) ++dateChanges;
        lastDate = clock.ClockDate;
        if (fake.loads - fake.deletes != baseline) {
            FAIL() << "bitmaps alive changed at tick " << tick << ": " << fake.loads - fake.deletes;
        }
    }
    EXPECT_EQ(fake.badDeletes, 0);
    EXPECT_EQ(static_cast<long>(fake.alive.size()), baseline);
    EXPECT_GT(dateChanges, 100);  // many midnights really went by
    EXPECT_EQ(fake.titles, dateChanges);
    EXPECT_GT(fake.loads, kTicks);  // every tick swaps the colon at least
    // What the images show matches the time the clock keeps.
    for (int slot : {kHourTens, kHourUnits, kMinuteTens, kMinuteUnits}) {
        EXPECT_EQ(ShownName(fake, slot), std::string("F") + clock.ClockTime[static_cast<size_t>(slot)]);
    }
    EXPECT_EQ(ShownName(fake, kColonSlot), clock.ColonVisible ? "FC" : "FB");
    EXPECT_NE(fake.title.find("Date: " + clock.ClockDate.substr(0, 2)), std::string::npos);

    // Closing the window gives every bitmap back.
    ReleaseClockImages(ops);
    EXPECT_EQ(fake.loads - fake.deletes, 0);
    EXPECT_TRUE(fake.alive.empty());
    EXPECT_EQ(fake.badDeletes, 0);
}

TEST(ClockSoak, MissingBitmapsAreNeverDeleted) {
    FakeImages fake;
    ClockImageOps ops = OpsFor(&fake);
    ops.load = [](void*, const char*) -> void* { return nullptr; };  // resources not built in
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
    EXPECT_EQ(fake.deletes, 0);
    EXPECT_EQ(fake.titles, 1);
}

}  // namespace
