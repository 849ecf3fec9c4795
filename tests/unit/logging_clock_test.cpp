#include "logging/utc_clock.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

UtcTime At(int year, int month, int day, int hour, int minute, int second = 0) {
    UtcTime t;
    t.Year = year;
    t.Month = month;
    t.Day = day;
    t.Hour = hour;
    t.Minute = minute;
    t.Second = second;
    return t;
}

// The digit swaps of a plan as "slot:name" texts, colon left out.
std::vector<std::string> DigitSwaps(const ClockPlan& plan) {
    std::vector<std::string> out;
    for (int i = 0; i < plan.SwapCount; ++i) {
        if (plan.Swaps[i].Slot == kColonSlot) continue;
        out.push_back(std::to_string(plan.Swaps[i].Slot) + ":" + plan.Swaps[i].Name);
    }
    return out;
}

const std::string kGap(10, ' ');

TEST(ClockTexts, TimeAndDateHaveLeadingZeros) {
    EXPECT_EQ(TimeText(At(2012, 3, 6, 7, 5)), "07:05");
    EXPECT_EQ(WorkingDate(At(2012, 3, 6, 7, 5)), "06-03-2012");
    EXPECT_EQ(TimeText(At(2026, 12, 31, 23, 59, 59)), "23:59");
    EXPECT_EQ(WorkingDate(At(2026, 12, 31, 23, 59)), "31-12-2026");
    EXPECT_EQ(TimeText(At(2027, 1, 1, 0, 0)), "00:00");
    // The year is the last four characters of its decimal form.
    EXPECT_EQ(WorkingDate(At(30827, 1, 1, 0, 0)), "01-01-0827");
}

TEST(ClockTexts, TitleJoinsProgramWordsDateAndPath) {
    EXPECT_EQ(LoggingTitle("06-12-2026", "C:\\Logs\\MYLOG.ULM"),
              "ULMAR v1.01    Report Logging" + kGap + "Date: 06 December 2026" + kGap + "C:\\Logs\\MYLOG.ULM");
    EXPECT_EQ(LoggingTitle("03-02-2027", "MYLOG.ULM"),
              "ULMAR v1.01    Report Logging" + kGap + "Date: 03 Febuary 2027" + kGap + "MYLOG.ULM");
}

TEST(ClockPlanTest, TwelveFiftyNineToThirteenChangesThreeDigits) {
    ClockState clock;
    clock.ClockTime = "12:59";
    clock.ClockDate = "06-12-2026";
    ClockPlan plan = PlanClockUpdate(clock, At(2026, 12, 6, 13, 0), "MYLOG.ULM");
    EXPECT_EQ(DigitSwaps(plan), (std::vector<std::string>{"1:F3", "3:F0", "4:F0"}));
    EXPECT_EQ(plan.SwapCount, 4);  // with the colon
    EXPECT_EQ(clock.ClockTime, "13:00");
    EXPECT_FALSE(plan.TitleChanged);
}

TEST(ClockPlanTest, OpeningAtMidnightReloadsNoDigitButSetsTitle) {
    ClockState clock;
    clock.ClockTime = "17:45";
    clock.ClockDate = "05-12-2026";
    ResetClockTexts(clock);
    EXPECT_EQ(clock.ClockTime, "00:00");
    EXPECT_EQ(clock.ClockDate, "");
    ClockPlan plan = PlanClockUpdate(clock, At(2026, 12, 6, 0, 0, 12), "MYLOG.ULM");
    EXPECT_TRUE(DigitSwaps(plan).empty());
    EXPECT_EQ(plan.SwapCount, 1);
    EXPECT_EQ(plan.Swaps[0].Slot, kColonSlot);
    EXPECT_TRUE(plan.TitleChanged);
    EXPECT_EQ(plan.Title, "ULMAR v1.01    Report Logging" + kGap + "Date: 06 December 2026" + kGap + "MYLOG.ULM");
    EXPECT_EQ(clock.ClockDate, "06-12-2026");
}

TEST(ClockPlanTest, OpeningReloadsOnlyDigitsThatAreNotZero) {
    ClockState clock;
    ResetClockTexts(clock);
    ClockPlan plan = PlanClockUpdate(clock, At(2026, 12, 6, 19, 30), "L");
    EXPECT_EQ(DigitSwaps(plan), (std::vector<std::string>{"0:F1", "1:F9", "3:F3"}));
}

TEST(ClockPlanTest, TitleIsRewrittenOnlyWhenTheDateChanges) {
    ClockState clock;
    ResetClockTexts(clock);
    int titles = 0;
    std::string lastTitle;
    // 23:58:00 .. 00:02:00 across the turn of the year, one tick a second.
    for (int s = 0; s <= 240; ++s) {
        int total = 23 * 3600 + 58 * 60 + s;
        bool nextDay = total >= 24 * 3600;
        total %= 24 * 3600;
        UtcTime now = nextDay ? At(2027, 1, 1, total / 3600, total / 60 % 60, total % 60)
                              : At(2026, 12, 31, total / 3600, total / 60 % 60, total % 60);
        ClockPlan plan = PlanClockUpdate(clock, now, "MYLOG.ULM");
        if (plan.TitleChanged) {
            ++titles;
            lastTitle = plan.Title;
        }
        if (s == 120) {  // the first tick of the new day
            EXPECT_TRUE(plan.TitleChanged);
            EXPECT_EQ(DigitSwaps(plan), (std::vector<std::string>{"0:F0", "1:F0", "3:F0", "4:F0"}));
        }
    }
    EXPECT_EQ(titles, 2);  // the opening and midnight
    EXPECT_EQ(lastTitle, "ULMAR v1.01    Report Logging" + kGap + "Date: 01 January 2027" + kGap + "MYLOG.ULM");
    EXPECT_EQ(clock.ClockDate, "01-01-2027");
    EXPECT_EQ(clock.ClockTime, "00:02");
}

TEST(ClockPlanTest, ColonAlternatesAndCarriesOverBetweenOpenings) {
    ClockState clock;
    std::string names;
    for (int i = 0; i < 3; ++i) names += PlanClockUpdate(clock, At(2026, 12, 6, 8, 0), "L").Swaps[0].Name;
    EXPECT_EQ(names, "FCFBFC");
    EXPECT_EQ(clock.ColonVisible, 1);
    ResetClockTexts(clock);  // a new opening keeps the colon's state
    EXPECT_EQ(clock.ColonVisible, 1);
    EXPECT_STREQ(PlanClockUpdate(clock, At(2026, 12, 6, 8, 0), "L").Swaps[0].Name, "FB");
}

TEST(ClockPlanTest, ClockSetBackShowsAtTheNextTick) {
    ClockState clock;
    clock.ClockTime = "13:00";
    clock.ClockDate = "06-12-2026";
    ClockPlan plan = PlanClockUpdate(clock, At(2026, 12, 5, 9, 15), "L");
    EXPECT_EQ(DigitSwaps(plan), (std::vector<std::string>{"0:F0", "1:F9", "3:F1", "4:F5"}));
    EXPECT_TRUE(plan.TitleChanged);
    EXPECT_EQ(clock.ClockDate, "05-12-2026");
}

}  // namespace
